#include "CvxCompareColumnClipboard.h"

#include "CvxMarkupDocument.h"

std::u16string CvxCompareColumnClipboard::ToMarkup(const std::vector<CvxCompareColumn>& columns,
                                                   const std::u16string& viewerName)
{
    CvxMarkupDocument doc;
    doc.AddElement(u"Viewer");
    doc.SetAttribute(u"Name", viewerName);
    doc.AddChildElement(u"Labels");
    doc.FindChildElement(u"Labels");
    doc.EnterElement();
    for (const CvxCompareColumn& column : columns) {
        doc.AddChildElement(u"Label");
        doc.SetChildAttribute(u"LabelID", column.GetLabel().GetLabelID().ToU16String());
        doc.SetChildAttribute(u"Channel", column.GetLabel().GetChannel());
        doc.SetChildAttribute(u"Width", column.GetWidth());
        doc.SetChildAttribute(u"Base", column.GetBase().GetCode());
        doc.SetChildAttribute(u"Color", column.GetColor());
        doc.SetChildAttribute(u"Alignment", column.GetAlignment());
        doc.SetChildAttribute(u"Display", column.GetDifferenceDisplay().GetCode());
        doc.SetChildAttribute(u"RelativeMarkerID", column.GetMarkerID().ToU16String());
    }
    return doc.GetText();
}

std::vector<CvxCompareColumn> CvxCompareColumnClipboard::FromMarkup(const std::u16string& text)
{
    std::vector<CvxCompareColumn> columns;
    CvxMarkupDocument doc(text);
    if (!doc.HasRoot() || (!doc.FindElement(u"/Labels") && !doc.FindElement(u"/*/Labels"))) {
        return columns;
    }
    while (doc.FindChildElement(u"Label")) {
        std::u16string labelText;
        CvxID label;
        if (!doc.GetChildAttribute(u"LabelID", labelText) || !label.SetValue(labelText)) {
            continue;
        }
        CvxCompareColumn column;
        int channel = CvxLabelChannel::kWholeLabel;
        doc.GetChildAttribute(u"Channel", channel);
        column.SetLabel(CvxLabelChannel(label, channel));
        int value = 0;
        if (doc.GetChildAttribute(u"Width", value)) {
            column.SetWidth(value, false);
        }
        if (doc.GetChildAttribute(u"Base", value)) {
            CvxBase base = column.GetBase();
            base.SetCode(value);
            column.SetBase(base);
        }
        if (doc.GetChildAttribute(u"Color", value)) {
            column.SetColor(value);
        }
        if (doc.GetChildAttribute(u"Alignment", value)) {
            column.SetAlignment(value);
        }
        std::u16string markerText;
        CvxID marker;
        if (doc.GetChildAttribute(u"RelativeMarkerID", markerText) && marker.SetValue(markerText)) {
            column.SetMarkerID(marker);
        }
        if (doc.GetChildAttribute(u"Display", value)) {
            column.SetDifferenceDisplay(CvxCompareColumnDifference(value));
        }
        columns.push_back(column);
    }
    return columns;
}
