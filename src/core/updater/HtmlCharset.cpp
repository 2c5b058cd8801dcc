#include "HtmlCharset.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace HtmlCharset {
namespace {

// windows-874 beyond ASCII: the Thai block 0xA1..0xFB maps onto U+0E01..U+0E5B; a few punctuation marks sit
// below it. Bytes without a character decode to U+FFFD.
char16_t thaiByteToUnicode(unsigned char byte)
{
    if (byte < 0x80) {
        return byte;
    }
    if (byte >= 0xA1 && byte <= 0xFB) {
        const char16_t c = static_cast<char16_t>(0x0E01 + (byte - 0xA1));
        // 0xDB..0xDE and 0xFC.. are holes of the Thai block.
        if (c >= 0x0E3B && c <= 0x0E3E) {
            return 0xFFFD;
        }
        return c;
    }
    switch (byte) {
    case 0x80:
        return 0x20AC;
    case 0x85:
        return 0x2026;
    case 0x91:
        return 0x2018;
    case 0x92:
        return 0x2019;
    case 0x93:
        return 0x201C;
    case 0x94:
        return 0x201D;
    case 0x95:
        return 0x2022;
    case 0x96:
        return 0x2013;
    case 0x97:
        return 0x2014;
    case 0xA0:
        return 0x00A0;
    default:
        return 0xFFFD;
    }
}

int unicodeToThaiByte(char32_t c)
{
    if (c < 0x80) {
        return static_cast<int>(c);
    }
    if (c >= 0x0E01 && c <= 0x0E5B && !(c >= 0x0E3B && c <= 0x0E3E)) {
        return static_cast<int>(0xA1 + (c - 0x0E01));
    }
    for (int byte = 0x80; byte <= 0xA0; ++byte) {
        if (thaiByteToUnicode(static_cast<unsigned char>(byte)) == c) {
            return byte;
        }
    }
    return -1;
}

QByteArray characterReference(char32_t c)
{
    return "&#" + QByteArray::number(static_cast<uint>(c)) + ';';
}

} // namespace

Charset fromLabel(QByteArrayView label)
{
    const QByteArray name = label.toByteArray().trimmed().toLower();
    if (name == "windows-874" || name == "tis-620" || name == "tis620" || name == "iso-8859-11" ||
        name == "iso8859-11" || name == "x-windows-874" || name == "cp874" || name == "dos-874" ||
        name == "x-mac-thai") {
        return Charset::Thai;
    }
    if (name == "iso-8859-1" || name == "latin1" || name == "us-ascii" || name == "windows-1252" || name == "ascii") {
        return Charset::Latin1;
    }
    return Charset::Utf8;
}

QByteArray labelFromContentType(QByteArrayView contentType)
{
    const QList<QByteArray> parts = contentType.toByteArray().split(';');
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QByteArray part = parts.at(i).trimmed();
        const qsizetype equals = part.indexOf('=');
        if (equals > 0 && part.left(equals).trimmed().toLower() == "charset") {
            QByteArray value = part.mid(equals + 1).trimmed();
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')) {
                value = value.mid(1, value.size() - 2);
            }
            return value;
        }
    }
    return {};
}

QByteArray labelFromPage(QByteArrayView page)
{
    // Browsers look for the declaration near the top of the page; the head of a result page is short.
    static const QRegularExpression meta(QStringLiteral(R"(<meta\b[^>]*?charset\s*=\s*["']?\s*([A-Za-z0-9._:\-]+))"),
        QRegularExpression::CaseInsensitiveOption);
    const QString head = QString::fromLatin1(page.first(std::min<qsizetype>(page.size(), 8192)));
    const QRegularExpressionMatch match = meta.match(head);
    return match.hasMatch() ? match.captured(1).toLatin1() : QByteArray();
}

Charset detect(QByteArrayView page, QByteArrayView contentTypeHeader)
{
    QByteArray label = labelFromContentType(contentTypeHeader);
    if (label.isEmpty()) {
        label = labelFromPage(page);
    }
    if (!label.isEmpty()) {
        return fromLabel(label);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    // The conversion runs when the result is taken; only its error flag is wanted.
    [[maybe_unused]] const QString probe = utf8.decode(page);
    return utf8.hasError() ? Charset::Thai : Charset::Utf8;
}

QString decode(QByteArrayView bytes, Charset charset)
{
    switch (charset) {
    case Charset::Utf8:
        return QString::fromUtf8(bytes);
    case Charset::Latin1:
        return QString::fromLatin1(bytes);
    case Charset::Thai:
        break;
    }
    QString text;
    text.resize(bytes.size());
    QChar* out = text.data();
    for (char byte : bytes) {
        *out++ = QChar(thaiByteToUnicode(static_cast<unsigned char>(byte)));
    }
    return text;
}

QByteArray encode(QStringView text, Charset charset)
{
    if (charset == Charset::Utf8) {
        return text.toUtf8();
    }
    QByteArray bytes;
    bytes.reserve(text.size());
    for (char32_t c : text.toUcs4()) {
        const int byte = charset == Charset::Thai ? unicodeToThaiByte(c) : (c < 0x100 ? static_cast<int>(c) : -1);
        if (byte < 0) {
            bytes += characterReference(c);
        } else {
            bytes += static_cast<char>(byte);
        }
    }
    return bytes;
}

} // namespace HtmlCharset
