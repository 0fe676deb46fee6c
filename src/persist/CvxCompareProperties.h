#pragma once
// The display properties of a Compare window: fonts, colours (0x00BBGGRR), what the header
// shows and the default column widths. Defaults come from the host's fonts and system colours.

#include <memory>
#include <string>

class CvxPersistenceSetup;

class CvxCompareProperties {
public:
    CvxCompareProperties();
    CvxCompareProperties(const CvxCompareProperties& other);
    CvxCompareProperties& operator=(const CvxCompareProperties& other);
    ~CvxCompareProperties();

    const std::u16string& GetLabelFontName() const;
    void SetLabelFontName(std::u16string name);
    const std::u16string& GetDataFontName() const;
    void SetDataFontName(std::u16string name);
    int GetFontPointSize() const;
    void SetFontPointSize(int points);
    // Not persisted; kept for the views.
    int GetReserved() const;
    void SetReserved(int value);
    int GetBackgroundColor() const;
    void SetBackgroundColor(int color);
    // Not persisted: the system highlight colours.
    int GetSelectionBackgroundColor() const;
    void SetSelectionBackgroundColor(int color);
    int GetTextColor() const;
    void SetTextColor(int color);
    int GetSelectionTextColor() const;
    void SetSelectionTextColor(int color);
    bool IsCenterRectDisplayed() const;
    void SetCenterRectDisplayed(bool on);
    int GetCenterRectColor() const;
    void SetCenterRectColor(int color);
    bool IsBaseDisplayed() const;
    void SetBaseDisplayed(bool on);
    bool IsTriggerDisplayed() const;
    void SetTriggerDisplayed(bool on);
    bool IsMarkersDisplayed() const;
    void SetMarkersDisplayed(bool on);
    bool IsActivityIndicatorDisplayed() const;
    void SetActivityIndicatorDisplayed(bool on);
    int GetMinDefColWidth() const;
    void SetMinDefColWidth(int width);
    int GetDefColWidth() const;
    void SetDefColWidth(int width);
    int GetHeaderRowHeight() const;
    void SetHeaderRowHeight(int height);
    int GetRefBackgroundColor() const;
    void SetRefBackgroundColor(int color);
    int GetNoRefBackgroundColor() const;
    void SetNoRefBackgroundColor(int color);
    int GetDiffBackgroundColor() const;
    void SetDiffBackgroundColor(int color);
    int GetDiffForegroundColor() const;
    void SetDiffForegroundColor(int color);

    // Persisted as the element "CompareProperties": key "Config" with the attributes
    // StrLabelFontName, StrDataFontName, FontPointSize, CenterRectDisplayed, BaseDisplayed,
    // TriggerDisplayed, ActivityIndicatorDisplayed, MinDefColWidth, DefColWidth,
    // HeaderRowHeight, MarkersDisplayed, DiffBackgroundColor, DiffForegroundColor,
    // RefBackgroundColor, NoRefBackgroundColor, BackgroundColor, TextColor, CenterRectColor.
    // The reserved value and the selection colours are not persisted.
    void Save(CvxPersistenceSetup& setup) const;
    void Load(CvxPersistenceSetup& setup);

    // Field by field, the persisted and the other fields alike.
    friend bool operator==(const CvxCompareProperties& a, const CvxCompareProperties& b);

private:
    struct SvxImp;
    std::unique_ptr<SvxImp> m_imp;
};
