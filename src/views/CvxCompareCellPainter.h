#pragma once
// Paints the cells of one column of the grid over one paint: the input value and, by the
// column's difference display, the reference value beside it, on the reference / no-reference
// background, with the characters that differ in the difference colours. Without a painter it
// only decides the reference text and whether the values differ (copy text, the UI dump).
// Made once per column and paint: the reference store's iterator and the pairing of rows are
// looked up once, not per cell.

#include "CvxCompareStoreIter.h"

#include <QBrush>
#include <QColor>
#include <QFontMetrics>
#include <QPen>
#include <QRect>

#include <array>
#include <string>
#include <string_view>

class CvxCompareColumn;
class CvxCompareModel;
class CvxSampleIterBase;
class CvxTimeCorrelatedIter;
class QPainter;

// One cell to paint, as the row painter, copy text and printing build it.
struct CvxCompareCellRequest {
    QPainter* painter = nullptr;           // null: decide only, draw nothing
    const CvxCompareModel* model = nullptr;
    CvxSampleIterBase* input = nullptr;    // the column's iterator on the row
    QRect cell;                            // the cell's place, in the painter's coordinates
    std::u16string text;                   // the input value; the reference text on return when asked
    int status = 0;                        // the data status of the input at the row
    int color = 0;                         // the column's text colour (0x00BBGGRR)
    bool returnReferenceText = false;
};

// The fonts and colours of one paint. Pens and brushes are made once here: each one made
// per cell would be an allocation per cell.
struct CvxCompareCellStyle {
    const QFontMetrics* metrics = nullptr;
    int averageCharWidth = 1;
    QColor referenceBackground;
    QColor noReferenceBackground;
    QColor differenceForeground;
    QColor differenceBackground;
    // Printing: a value in the paper's colour (white, the columns' default on the black grid)
    // is drawn black, or it would not show on the page.
    bool onPaper = false;

    // Makes the pens and brushes from the colours, and the advance table from the metrics.
    void Prepare();
    // A text's width: the sum of its characters' advances (from a table for the first 256),
    // which a layout of the whole string would give for the grid's values without allocating.
    int TextWidth(std::u16string_view text) const;
    int Advance(char16_t character) const;
    QBrush referenceBrush;
    QBrush noReferenceBrush;
    QBrush differenceBrush;
    QPen differencePen;
    QPen uncertainPen;
    std::array<int, 256> advances{};
};

class CvxCompareCellPainter {
public:
    // What the last cell showed.
    struct Decision {
        bool compared = false;         // the column takes part in the comparison
        bool referencePresent = false; // the row has a reference row
        bool differ = false;
        std::u16string referenceText;
    };

    CvxCompareCellPainter(const CvxCompareModel& model, const CvxCompareColumn& column, const CvxCompareCellStyle& style);

    void Paint(CvxCompareCellRequest& request);
    // Paints the walk's `index`-th value on its row into `cell`, as the grid and printing do;
    // a row without a sample of the column stays blank. `text` is a buffer kept from cell to cell.
    void PaintWalked(QPainter& painter, CvxTimeCorrelatedIter& walk, int index, const QRect& cell, std::u16string& text);
    const Decision& GetDecision() const { return m_decision; }
    // Whether the area shows its text (the reference half shows only its background with
    // paired differences and equal values).
    bool ShowsReference() const;

private:
    void Decide(const CvxCompareCellRequest& request);
    // The text in an area, compared character by character against `other` when `differ`.
    void DrawText(QPainter& painter, const QRect& area, const QRect& clip, const std::u16string& text,
                  const std::u16string& other, const QPen& pen, bool differ);

    const CvxCompareModel& m_model;
    const CvxCompareColumn& m_column;
    const CvxCompareCellStyle& m_style;
    int m_display = 0;
    const CvxCompareDataSource* m_store = nullptr;
    bool m_stringStore = false;
    CvxCompareStoreIter m_reference;
    int m_offset = 0;
    Decision m_decision;
    QPen m_textPen;          // the column's colour
    std::u16string m_shown;  // the text as drawn (cut), its buffer kept from cell to cell
};
