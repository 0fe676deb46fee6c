#pragma once
// One displayed column of the Compare window: the bus/signal it shows and how. Columns are
// values: the column list of the model and the snapshots that undo keeps are copies.

#include "CvxActivityIndicator.h"
#include "CvxBase.h"
#include "CvxCompareColumnDifference.h"
#include "CvxID.h"
#include "CvxLabelChannel.h"

class CvxCompareColumn {
public:
    static constexpr int kMinWidth = 10;
    static constexpr int kUnsized = -1;

    // A new column: a new identifier, unsized, a marker identifier that names no marker.
    CvxCompareColumn();
    // A new column for a whole label or channel, with the label's base, colour and alignment
    // when the host label manager knows the label.
    explicit CvxCompareColumn(const CvxLabelChannel& label);

    const CvxID& GetID() const { return m_id; }
    int GetWidth() const { return m_width; }
    // With clamping, widths below 10 become 10.
    void SetWidth(int width, bool clamp = true) { m_width = clamp && width < kMinWidth ? kMinWidth : width; }
    int GetLeft() const { return m_left; }
    void SetLeft(int left) { m_left = left; }
    const CvxID& GetMarkerID() const { return m_marker; }
    void SetMarkerID(const CvxID& marker) { m_marker = marker; }
    const CvxBase& GetBase() const { return m_base; }
    void SetBase(const CvxBase& base) { m_base = base; }
    int GetColor() const { return m_color; }
    void SetColor(int color) { m_color = color; }
    bool IsSelected() const { return m_selected; }
    void SetSelected(bool selected) { m_selected = selected; }
    bool IsActivityIndicatorSupported() const { return m_activitySupported; }
    void SetActivityIndicatorSupported(bool supported) { m_activitySupported = supported; }
    const CvxActivityIndicator& GetActivityIndicator() const { return m_activity; }
    CvxActivityIndicator& GetActivityIndicator() { return m_activity; }
    // Left 0, Center 1, Right 2.
    int GetAlignment() const { return m_alignment; }
    void SetAlignment(int alignment) { m_alignment = alignment; }
    const CvxLabelChannel& GetLabel() const { return m_label; }
    void SetLabel(const CvxLabelChannel& label) { m_label = label; }
    const CvxCompareColumnDifference& GetDifferenceDisplay() const { return m_difference; }
    void SetDifferenceDisplay(const CvxCompareColumnDifference& display) { m_difference = display; }

    // Takes base, colour and alignment from the host label again; false when the label is gone.
    bool RefreshFromLabel();

    friend bool operator==(const CvxCompareColumn&, const CvxCompareColumn&) = default;

private:
    CvxID m_id;
    int m_width = kUnsized;
    int m_left = 0;
    CvxID m_marker;
    CvxBase m_base;
    int m_color = 0x00FFFFFF;
    bool m_selected = false;
    bool m_activitySupported = false;
    CvxActivityIndicator m_activity;
    int m_alignment = 2;
    CvxLabelChannel m_label;
    CvxCompareColumnDifference m_difference;
};
