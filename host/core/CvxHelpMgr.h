#pragma once
// The host's help: shows a topic (a page such as "compare_options.htm") or the contents. The
// desktop host fills the hook with its help window; headless (no hook) the request goes to the
// host log, naming the topic.

#include <functional>
#include <string>

class CvxHelpMgr {
public:
    using Hook = std::function<void(const std::u16string& topic)>;

    // An empty topic shows the contents.
    static void ShowTopic(const std::u16string& topic);
    static void SetHook(Hook hook);
};
