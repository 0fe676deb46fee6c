#include "CvxDataRefCount.h"

int CvxDataRefCount::Release()
{
    if (m_refCount <= 0) {
        return 0;
    }
    const int left = --m_refCount;
    if (left == 0) {
        delete this;
    }
    return left;
}
