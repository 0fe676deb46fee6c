#pragma once
// Shows the host's wait cursor for the lifetime of the object, after a delay in milliseconds
// (so short operations show none). The GUI host fills the hooks; without hooks (headless
// hosts) nothing is shown. Nested wait cursors call the hooks only for the outermost one.

#include <functional>

class CvxWaitCursor {
public:
    explicit CvxWaitCursor(int delayMs = 0);
    CvxWaitCursor(const CvxWaitCursor&) = delete;
    CvxWaitCursor& operator=(const CvxWaitCursor&) = delete;
    ~CvxWaitCursor();

    // Hooks: `begin` receives the delay of the outermost wait cursor, `end` takes it away.
    static void SetHooks(std::function<void(int delayMs)> begin, std::function<void()> end);
    // Number of wait cursors alive now.
    static int GetDepth();
};
