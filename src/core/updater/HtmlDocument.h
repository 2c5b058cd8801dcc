#pragma once

#include "updater/HtmlCharset.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QUrl>

#include <memory>
#include <optional>

struct GumboInternalNode;
struct GumboInternalOutput;

/// One element of an `HtmlDocument`; a light handle that is valid as long as its document. A default-made element
/// is null: it stands for "no such element".
class HtmlElement
{
public:
    HtmlElement() = default;

    bool isNull() const { return m_node == nullptr; }
    explicit operator bool() const { return !isNull(); }

    /// The tag name in lower case ("font", "option").
    QString tagName() const;
    /// The attribute's text, or nothing when the element lacks the attribute. Names are not case-sensitive,
    /// values are given as written (entities decoded).
    std::optional<QString> attribute(const char* name) const;
    /// The attribute's text, empty when it is missing.
    QString attributeText(const char* name) const;
    /// The element's text as a browser shows it: the text of all its descendants, each run of white space (space,
    /// tab, line ends) made one space and a line break for every `br`; non-breaking spaces stay.
    QString innerText() const;

    /// The nearest enclosing element with this tag, or null.
    HtmlElement closest(const char* tag) const;
    /// The descendants in document order, this element left out.
    QList<HtmlElement> descendants() const;

    bool operator==(const HtmlElement& other) const { return m_node == other.m_node; }

private:
    friend class HtmlDocument;
    explicit HtmlElement(const GumboInternalNode* node)
        : m_node(node)
    { }

    const GumboInternalNode* m_node = nullptr;
};

/// The form a pressed button submits, as a browser would send it.
struct FormSubmission
{
    QByteArray method; ///< "GET" or "POST"
    QUrl url; ///< for GET the form data is the query
    QByteArray body; ///< application/x-www-form-urlencoded, for POST
};

/// A parsed HTML page (HTML5 parsing rules) with the little state a browser keeps on it: the values set on its
/// `select` elements.
class HtmlDocument
{
public:
    /// Parses a page already decoded to text. `address` is where the page came from (actions resolve against it).
    explicit HtmlDocument(
        const QString& html, const QUrl& address = {}, HtmlCharset::Charset charset = HtmlCharset::Charset::Utf8);
    /// Parses a page as received: the charset is what the server (`contentTypeHeader`) or the page declares.
    static std::unique_ptr<HtmlDocument> fromBytes(
        QByteArrayView bytes, QByteArrayView contentTypeHeader, const QUrl& address = {});
    ~HtmlDocument();

    /// How deeply the page's elements nest, counted quickly over its text without parsing it: every start tag
    /// opens a level and every end tag closes one, except the elements that have no end tag or whose end tag may
    /// be left out. Parsing a page takes time that grows with the square of this depth.
    static int nestingDepth(QStringView html);

    HtmlDocument(const HtmlDocument&) = delete;
    HtmlDocument& operator=(const HtmlDocument&) = delete;

    const QUrl& address() const { return m_address; }
    HtmlCharset::Charset charset() const { return m_charset; }
    /// The page's text as decoded.
    const QString& text() const { return m_text; }

    /// Every element with this tag name (not case-sensitive), in document order.
    QList<HtmlElement> elementsByTagName(const QString& tag) const;
    /// The first element, in document order, whose `name` attribute (or, failing that, `id`) is this text.
    HtmlElement elementByName(const QString& name) const;

    /// A select's value: the chosen option's value. `setSelectValue` chooses the first option with that value;
    /// when none has it, no option is chosen (as a browser does). Returns whether an option was chosen.
    bool setSelectValue(const HtmlElement& select, const QString& value);
    /// The option the select submits: the one chosen by `setSelectValue`, else the last one marked `selected`,
    /// else the first; null when it has no option or none is chosen.
    HtmlElement chosenOption(const HtmlElement& select) const;
    /// The value of an option: its `value` attribute, else its text with white space collapsed and trimmed.
    static QString optionValue(const HtmlElement& option);
    /// The text of all descendants exactly as written (a textarea's value).
    static QString rawText(const HtmlElement& element);

    /// What pressing this button submits, or nothing when it is no submit button or stands in no form.
    std::optional<FormSubmission> submission(const HtmlElement& button) const;

private:
    QList<QPair<QString, QString>> formData(const HtmlElement& form, const HtmlElement& pressed) const;

    QString m_text;
    QByteArray m_utf8;
    QUrl m_address;
    HtmlCharset::Charset m_charset;
    GumboInternalOutput* m_output = nullptr;
    QList<HtmlElement> m_elements; ///< every element in document order
    /// Options chosen through `setSelectValue`: select -> option (null: none chosen).
    QHash<const GumboInternalNode*, const GumboInternalNode*> m_chosen;
};
