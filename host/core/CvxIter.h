#pragma once
// The host's iterator interface, in its slot order: destructor, First, Last, Next, Prev,
// IsDone. CvxDataIter gives these their index behaviour.

class CvxIter {
public:
    CvxIter() = default;
    CvxIter(const CvxIter&) = default;
    CvxIter& operator=(const CvxIter&) = default;
    virtual ~CvxIter() = default;

    virtual void First() = 0;
    virtual void Last() = 0;
    virtual void Next() = 0;
    virtual void Prev() = 0;
    virtual bool IsDone() const = 0;
};
