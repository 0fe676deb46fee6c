#pragma once
// Text between the host core (UTF-16 std::u16string) and Qt (QString, UTF-16 too): a copy,
// never a re-encoding.

#include <QString>

#include <string>
#include <string_view>

inline QString CvxQt(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::u16string CvxU16(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}
