#pragma once
// The default model message: observers read the type number and cast to the concrete class
// only to read a message's own fields. Commands travel the same way (CvxMvcCommand).

class CvxMvcDefMsg {
public:
    explicit CvxMvcDefMsg(int type = 0) : m_type(type) {}
    CvxMvcDefMsg(const CvxMvcDefMsg&) = default;
    CvxMvcDefMsg& operator=(const CvxMvcDefMsg&) = default;
    virtual ~CvxMvcDefMsg() = default;

    virtual int GetType() const { return m_type; }

private:
    int m_type;
};
