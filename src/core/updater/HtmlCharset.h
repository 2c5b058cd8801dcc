#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

/// Decoding of web pages and encoding of form values in the page's character set.
namespace HtmlCharset {

/// The character sets the page client tells apart. Pages from the lottery office come in Thai (windows-874, which
/// TIS-620 is a subset of) or UTF-8.
enum class Charset { Utf8, Thai, Latin1 };

/// The character set a label names ("UTF-8", "tis-620", "windows-874", "iso-8859-11"...); UTF-8 for an unknown one.
Charset fromLabel(QByteArrayView label);

/// The charset parameter of a Content-Type value ("text/html; charset=windows-874"), empty when there is none.
QByteArray labelFromContentType(QByteArrayView contentType);

/// The charset a page declares in its head (`<meta charset>` or `<meta http-equiv="Content-Type" content>`),
/// empty when it declares none.
QByteArray labelFromPage(QByteArrayView page);

/// The character set of a page: what the server declared, else what the page declares, else UTF-8 when the bytes
/// are valid UTF-8, else Thai.
Charset detect(QByteArrayView page, QByteArrayView contentTypeHeader);

QString decode(QByteArrayView bytes, Charset charset);

/// Encodes a text in the charset; a character the charset lacks is written as a numeric character reference, as
/// browsers do for form values.
QByteArray encode(QStringView text, Charset charset);

} // namespace HtmlCharset
