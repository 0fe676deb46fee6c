#pragma once
// An observer of a CvxMvcModel: the model calls Update with itself and the message for every
// change it broadcasts. The default does nothing, so an observer overrides what it needs.

class CvxMvcDefMsg;
class CvxMvcModel;

class CvxDefObserver {
public:
    CvxDefObserver() = default;
    CvxDefObserver(const CvxDefObserver&) = default;
    CvxDefObserver& operator=(const CvxDefObserver&) = default;
    virtual ~CvxDefObserver() = default;

    virtual void Update(CvxMvcModel* model, CvxMvcDefMsg* message)
    {
        static_cast<void>(model);
        static_cast<void>(message);
    }
};
