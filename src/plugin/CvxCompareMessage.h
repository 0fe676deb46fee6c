#pragma once
// The typed messages of the Compare window. Everything that changes the window travels as one
// of these through the compare model to its observers, which switch on the type number and
// cast to the concrete class only to read a message's own fields. The family is one header:
// most members are a type number and nothing else.

#include "CvxMvcDefMsg.h"
#include "CvxID.h"
#include "CvxPosition.h"

#include <string>
#include <vector>

class CvxCompareProperties;

class CvxCompareMessage : public CvxMvcDefMsg {
public:
    explicit CvxCompareMessage(int type) : CvxMvcDefMsg(type) {}
};

// A message that carries nothing but its type number.
template <int Type>
class CvxCompareTypedMessage : public CvxCompareMessage {
public:
    static constexpr int kType = Type;
    CvxCompareTypedMessage() : CvxCompareMessage(Type) {}
};

class CvxCompareResizeMessage final : public CvxCompareTypedMessage<100> {};

class CvxCompareNewDataMessage final : public CvxCompareTypedMessage<101> {
public:
    explicit CvxCompareNewDataMessage(bool runsPresent = false) : m_runsPresent(runsPresent) {}
    bool GetRunsPresent() const { return m_runsPresent; }
    void SetRunsPresent(bool runsPresent) { m_runsPresent = runsPresent; }

private:
    bool m_runsPresent;
};

class CvxCompareColumnsChangedMessage final : public CvxCompareTypedMessage<102> {};
class CvxCompareColumnWidthChangingMessage final : public CvxCompareTypedMessage<103> {};
class CvxCompareColumnWidthChangedMessage final : public CvxCompareTypedMessage<104> {};
class CvxCompareSelectionChangeMessage final : public CvxCompareTypedMessage<105> {};
class CvxCompareModelChangeMessage final : public CvxCompareTypedMessage<106> {};

class CvxCompareInitializePlugInMessage final : public CvxCompareTypedMessage<108> {
public:
    CvxCompareInitializePlugInMessage(const CvxID& instance, std::u16string name)
        : m_instance(instance), m_name(std::move(name))
    {
    }
    const CvxID& GetInstanceID() const { return m_instance; }
    const std::u16string& GetName() const { return m_name; }

private:
    CvxID m_instance;
    std::u16string m_name;
};

class CvxCompareMarkerManagerRegisteredMessage final : public CvxCompareTypedMessage<109> {};

class CvxCompareDisplayLabelInsertDialogMessage final : public CvxCompareTypedMessage<111> {
public:
    explicit CvxCompareDisplayLabelInsertDialogMessage(int insertCommand = 0) : m_insertCommand(insertCommand) {}
    int GetInsertCommand() const { return m_insertCommand; }
    void SetInsertCommand(int insertCommand) { m_insertCommand = insertCommand; }

private:
    int m_insertCommand;
};

class CvxCompareColumnDeleteMessage final : public CvxCompareTypedMessage<112> {};
class CvxCompareDisplayPropertiesDialogMessage final : public CvxCompareTypedMessage<113> {};
class CvxCompareUndoMessage final : public CvxCompareTypedMessage<114> {};
class CvxCompareInsertColumnMessage final : public CvxCompareTypedMessage<116> {};
class CvxComparePropertiesChangedMessage final : public CvxCompareTypedMessage<117> {};

// Asks the grid for its window; the grid fills the answer while the message passes.
class CvxCompareWindowHandleMessage final : public CvxCompareTypedMessage<118> {
public:
    void* GetWindow() const { return m_window; }
    void SetWindow(void* window) { m_window = window; }

private:
    void* m_window = nullptr;
};

class CvxCompareUpdateActivityIndicatorsMessage final : public CvxCompareTypedMessage<119> {};
class CvxCompareSetDefaultColumnWidthMessage final : public CvxCompareTypedMessage<120> {};
class CvxCompareMarkerNewMessage final : public CvxCompareTypedMessage<121> {};
class CvxCompareMarkerGotoMessage final : public CvxCompareTypedMessage<122> {};

// Asks the grid for the first, last and centre positions it shows.
class CvxCompareWindowRangeMessage final : public CvxCompareTypedMessage<123> {
public:
    const CvxPosition& GetStartPosition() const { return m_start; }
    const CvxPosition& GetEndPosition() const { return m_end; }
    const CvxPosition& GetCenterPosition() const { return m_center; }
    void SetStartPosition(const CvxPosition& p) { m_start = p; }
    void SetEndPosition(const CvxPosition& p) { m_end = p; }
    void SetCenterPosition(const CvxPosition& p) { m_center = p; }

private:
    CvxPosition m_start;
    CvxPosition m_end;
    CvxPosition m_center;
};

class CvxCompareTriggerChangedMessage final : public CvxCompareTypedMessage<124> {};
class CvxCompareDisplaySymbolsDlgMessage final : public CvxCompareTypedMessage<126> {};
class CvxCompareDisplayGotoDlgMessage final : public CvxCompareTypedMessage<127> {};
class CvxCompareMarkerPlaceMessage final : public CvxCompareTypedMessage<128> {};
class CvxCompareModelLoadedMessage final : public CvxCompareTypedMessage<129> {};
class CvxCompareMarkerPropertiesMessage final : public CvxCompareTypedMessage<130> {};
class CvxCompareSymbolChangedMessage final : public CvxCompareTypedMessage<131> {};
class CvxCompareGotoBeginMessage final : public CvxCompareTypedMessage<132> {};
class CvxCompareGotoTriggerMessage final : public CvxCompareTypedMessage<133> {};
class CvxCompareGotoEndMessage final : public CvxCompareTypedMessage<134> {};
class CvxCompareKbHomeMessage final : public CvxCompareTypedMessage<135> {};
class CvxCompareKbEndMessage final : public CvxCompareTypedMessage<136> {};
class CvxCompareKbCtrlHomeMessage final : public CvxCompareTypedMessage<137> {};
class CvxCompareKbCtrlEndMessage final : public CvxCompareTypedMessage<138> {};
class CvxCompareKbPageUpMessage final : public CvxCompareTypedMessage<139> {};
class CvxCompareKbPageDownMessage final : public CvxCompareTypedMessage<140> {};
class CvxCompareKbArrowUpMessage final : public CvxCompareTypedMessage<141> {};
class CvxCompareKbArrowDownMessage final : public CvxCompareTypedMessage<142> {};
class CvxCompareKbArrowLeftMessage final : public CvxCompareTypedMessage<143> {};
class CvxCompareKbArrowRightMessage final : public CvxCompareTypedMessage<144> {};
class CvxCompareKbTabMessage final : public CvxCompareTypedMessage<145> {};
// No class carries 146; menu commands treat that number as a reverse Tab.
constexpr int kCvxCompareKbReverseTabType = 146;
class CvxCompareFindMessage final : public CvxCompareTypedMessage<147> {};
class CvxCompareFindNextMessage final : public CvxCompareTypedMessage<148> {};
class CvxCompareFindPrevMessage final : public CvxCompareTypedMessage<149> {};
class CvxCompareMarkerDeleteMessage final : public CvxCompareTypedMessage<150> {};
// Display properties being edited and not yet applied (a preview); null when sent without.
class CvxComparePropertiesChangingMessage final : public CvxCompareTypedMessage<151> {
public:
    explicit CvxComparePropertiesChangingMessage(const CvxCompareProperties* properties = nullptr)
        : m_properties(properties)
    {
    }
    const CvxCompareProperties* GetProperties() const { return m_properties; }

private:
    const CvxCompareProperties* m_properties;
};
class CvxCompareLineLeftMessage final : public CvxCompareTypedMessage<152> {};
class CvxCompareLineRightMessage final : public CvxCompareTypedMessage<153> {};
class CvxComparePageLeftMessage final : public CvxCompareTypedMessage<154> {};
class CvxComparePageRightMessage final : public CvxCompareTypedMessage<155> {};

class CvxCompareMarkerDisplayUpdatesSuppressMessage final : public CvxCompareTypedMessage<156> {
public:
    explicit CvxCompareMarkerDisplayUpdatesSuppressMessage(bool suppress = false) : m_suppress(suppress) {}
    bool GetSuppress() const { return m_suppress; }

private:
    bool m_suppress;
};

class CvxCompareSamplingChangedMessage final : public CvxCompareTypedMessage<157> {};

// Asks every pane that takes keyboard input to append its window.
class CvxCompareGetWindowsMessage final : public CvxCompareTypedMessage<158> {
public:
    const std::vector<void*>& GetWindows() const { return m_windows; }
    void AddWindow(void* window) { m_windows.push_back(window); }

private:
    std::vector<void*> m_windows;
};

class CvxCompareDataChangedMessage final : public CvxCompareTypedMessage<159> {};
class CvxCompareCopyMessage final : public CvxCompareTypedMessage<160> {};
class CvxComparePasteMessage final : public CvxCompareTypedMessage<161> {};
class CvxCompareCopyReferenceMessage final : public CvxCompareTypedMessage<170> {};
class CvxCompareNextDifferenceMessage final : public CvxCompareTypedMessage<171> {};
class CvxComparePreviousDifferenceMessage final : public CvxCompareTypedMessage<172> {};
class CvxCompareRangeAndOffsetMessage final : public CvxCompareTypedMessage<173> {};
