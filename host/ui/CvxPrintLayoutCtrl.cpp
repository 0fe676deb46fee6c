#include "CvxPrintLayoutCtrl.h"

CvxPrintLayoutCtrl::~CvxPrintLayoutCtrl() = default;
