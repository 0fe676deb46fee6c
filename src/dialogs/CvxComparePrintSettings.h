#pragma once
// The Compare viewer's print settings beside the texts and the range mode its core part
// keeps: whether every page shows the bus/signal information, and the page geometry in
// inches. They live as long as the tool and persist between print jobs.

struct CvxComparePrintSettings {
    bool everyPage = false;
    double headerHeight = 1.0 / 3.0;
    double footerHeight = 1.0 / 3.0;
    double bandInset = 0.0; // the header and footer, each side
    double dataInset = 0.0; // the data area, each side
    double left = 0.5;
    double right = 0.0;
    double bottom = 0.0;
    double top = 0.0;
};
