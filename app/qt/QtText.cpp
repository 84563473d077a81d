#include "app/qt/QtText.h"

#include "common/Cp1252.h"

#include <QList>

QString ToQString(const std::string& bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes)
        text += QChar(static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(c))));
    return text;
}

std::string FromQString(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const char32_t codePoint : text.toUcs4())
        bytes += static_cast<char>(UnicodeToCp1252(codePoint));
    return bytes;
}
