#include "CvxHostOptions.h"

CvxHostOptions& CvxHostOptions::GetInstance()
{
    static CvxHostOptions instance;
    return instance;
}
