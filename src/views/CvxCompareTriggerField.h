#pragma once
// What the trigger line of the column header shows for a column: nothing (no trigger line, no
// data, or a bus/signal the analyzer cannot trigger on), a pattern edit for a bus, a level
// button for a single signal, or, when the analyzer's trigger is not a simple one, the field
// that opens the trigger menu. The analyzer triggers on one bus/signal at a time: the column of
// the current trigger's bus/signal shows its pattern, the others show "don't care" (all X).

#include "CvxPatternModel.h"

#include <QString>

class CvxCompareColumn;
class QFontMetrics;

class CvxCompareTriggerField {
public:
    enum Kind { kNone, kBus, kSignal, kMenu };

    // `shown`: the trigger line is displayed and the window has data.
    static Kind KindOf(const CvxCompareColumn& column, bool shown);
    // The column's pattern: the trigger's when it is on this bus/signal, else all don't care.
    // Buses in the column's base when it is hexadecimal, binary or octal (else hexadecimal);
    // signals in binary.
    static CvxPatternModel PatternOf(const CvxCompareColumn& column);
    // The pixels the field needs in the label font (0 for kNone).
    static int Width(Kind kind, const CvxPatternModel& pattern, const QFontMetrics& metrics);
    // A signal's levels as its button offers them: "X" (don't care), "0" (low), "1" (high).
    static QString LevelText(const CvxPatternModel& pattern);
};
