#include "HtmlDocument.h"

#include <QSet>

#include <gumbo.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

bool isElement(const GumboNode* node)
{
    return node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE;
}

QString tagNameOf(const GumboNode* node)
{
    const GumboElement& element = node->v.element;
    if (element.tag != GUMBO_TAG_UNKNOWN) {
        return QString::fromLatin1(gumbo_normalized_tagname(element.tag));
    }
    GumboStringPiece piece = element.original_tag;
    gumbo_tag_from_original_text(&piece);
    return QString::fromUtf8(piece.data, static_cast<qsizetype>(piece.length)).toLower();
}

void collectElements(const GumboNode* node, QList<HtmlElement>& out, const auto& make)
{
    // An explicit stack: a hostile page may nest deeper than the call stack allows.
    QList<const GumboNode*> stack {node};
    while (!stack.isEmpty()) {
        const GumboNode* current = stack.takeLast();
        const GumboVector* children = nullptr;
        if (current->type == GUMBO_NODE_DOCUMENT) {
            children = &current->v.document.children;
        } else if (isElement(current)) {
            if (current != node) {
                out.append(make(current));
            }
            children = &current->v.element.children;
        }
        if (children) {
            for (unsigned int i = children->length; i > 0; --i) {
                stack.append(static_cast<const GumboNode*>(children->data[i - 1]));
            }
        }
    }
}

bool isHtmlSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

QString collapseWhiteSpace(QStringView text)
{
    QString out;
    out.reserve(text.size());
    bool inSpace = false;
    for (QChar c : text) {
        if (isHtmlSpace(c)) {
            if (!inSpace) {
                out += u' ';
            }
            inSpace = true;
        } else {
            out += c;
            inSpace = false;
        }
    }
    return out;
}

QByteArray formEncode(const QString& text, HtmlCharset::Charset charset)
{
    // application/x-www-form-urlencoded: the bytes in the page's charset, blanks as "+".
    const QByteArray bytes = HtmlCharset::encode(text, charset);
    QByteArray out = bytes.toPercentEncoding(" *-._");
    out.replace(' ', '+');
    return out;
}

bool isTagNameChar(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

// Elements that never take a level of nesting: those without an end tag, and those whose end tag may be left out
// (the parser closes them when the next one starts).
bool opensNoLevel(const QString& tag)
{
    static const QSet<QString> tags {u"area"_s, u"base"_s, u"br"_s, u"col"_s, u"embed"_s, u"hr"_s, u"img"_s, u"input"_s,
        u"link"_s, u"meta"_s, u"param"_s, u"source"_s, u"track"_s, u"wbr"_s, u"p"_s, u"li"_s, u"option"_s,
        u"optgroup"_s, u"td"_s, u"th"_s, u"tr"_s, u"tbody"_s, u"thead"_s, u"tfoot"_s, u"colgroup"_s, u"dt"_s, u"dd"_s,
        u"rb"_s, u"rt"_s, u"rp"_s, u"html"_s, u"head"_s, u"body"_s};
    return tags.contains(tag);
}

bool isRawTextElement(const QString& tag)
{
    return tag == u"script" || tag == u"style" || tag == u"textarea" || tag == u"title" || tag == u"xmp";
}

} // namespace

int HtmlDocument::nestingDepth(QStringView html)
{
    int depth = 0;
    int deepest = 0;
    const qsizetype size = html.size();
    qsizetype i = 0;
    while (i < size) {
        if (html[i] != u'<') {
            ++i;
            continue;
        }
        if (html.mid(i, 4) == u"<!--") {
            const qsizetype end = html.indexOf(u"-->", i + 4);
            i = end < 0 ? size : end + 3;
            continue;
        }
        const bool closing = i + 1 < size && html[i + 1] == u'/';
        qsizetype j = i + 1 + (closing ? 1 : 0);
        const qsizetype nameStart = j;
        while (j < size && isTagNameChar(html[j])) {
            ++j;
        }
        if (j == nameStart) {
            ++i;
            continue;
        }
        const QString tag = html.sliced(nameStart, j - nameStart).toString().toLower();
        // The end of the tag, past quoted attribute values.
        QChar quote;
        while (j < size && (html[j] != u'>' || !quote.isNull())) {
            if (quote.isNull() && (html[j] == u'"' || html[j] == u'\'')) {
                quote = html[j];
            } else if (html[j] == quote) {
                quote = QChar();
            }
            ++j;
        }
        const bool selfClosing = j > 0 && j < size && html[j - 1] == u'/';
        i = j + 1;
        if (!closing && isRawTextElement(tag)) {
            const qsizetype end = html.indexOf(QString(u"</"_s + tag), i, Qt::CaseInsensitive);
            i = end < 0 ? size : end;
            continue;
        }
        if (opensNoLevel(tag)) {
            continue;
        }
        if (closing) {
            depth = std::max(0, depth - 1);
        } else if (!selfClosing) {
            deepest = std::max(deepest, ++depth);
        }
    }
    return deepest;
}

QString HtmlDocument::rawText(const HtmlElement& element)
{
    QString text;
    if (!element.m_node) {
        return text;
    }
    QList<const GumboNode*> stack {element.m_node};
    while (!stack.isEmpty()) {
        const GumboNode* current = stack.takeLast();
        if (current->type == GUMBO_NODE_TEXT || current->type == GUMBO_NODE_CDATA ||
            current->type == GUMBO_NODE_WHITESPACE) {
            text += QString::fromUtf8(current->v.text.text);
        } else if (isElement(current)) {
            const GumboVector& children = current->v.element.children;
            for (unsigned int i = children.length; i > 0; --i) {
                stack.append(static_cast<const GumboNode*>(children.data[i - 1]));
            }
        }
    }
    return text;
}

QString HtmlElement::tagName() const
{
    return m_node ? tagNameOf(m_node) : QString();
}

std::optional<QString> HtmlElement::attribute(const char* name) const
{
    if (!m_node) {
        return std::nullopt;
    }
    const GumboAttribute* attribute = gumbo_get_attribute(&m_node->v.element.attributes, name);
    if (!attribute) {
        return std::nullopt;
    }
    return QString::fromUtf8(attribute->value);
}

QString HtmlElement::attributeText(const char* name) const
{
    return attribute(name).value_or(QString());
}

QString HtmlElement::innerText() const
{
    if (!m_node) {
        return {};
    }
    QString text;
    QList<const GumboNode*> stack {m_node};
    while (!stack.isEmpty()) {
        const GumboNode* current = stack.takeLast();
        switch (current->type) {
        case GUMBO_NODE_TEXT:
        case GUMBO_NODE_CDATA:
        case GUMBO_NODE_WHITESPACE:
            text += collapseWhiteSpace(QString::fromUtf8(current->v.text.text));
            break;
        case GUMBO_NODE_ELEMENT:
        case GUMBO_NODE_TEMPLATE: {
            const GumboTag tag = current->v.element.tag;
            if (tag == GUMBO_TAG_BR) {
                text += u'\n';
                break;
            }
            if (tag == GUMBO_TAG_SCRIPT || tag == GUMBO_TAG_STYLE) {
                break;
            }
            const GumboVector& children = current->v.element.children;
            for (unsigned int i = children.length; i > 0; --i) {
                stack.append(static_cast<const GumboNode*>(children.data[i - 1]));
            }
            break;
        }
        default:
            break;
        }
    }
    // Runs of blanks that met across element borders become one blank, as they show on screen; line breaks stay.
    QString out;
    out.reserve(text.size());
    for (QChar c : std::as_const(text)) {
        if (c == u' ' && (out.endsWith(u' ') || out.endsWith(u'\n'))) {
            continue;
        }
        if (c == u'\n' && out.endsWith(u' ')) {
            out.chop(1);
        }
        out += c;
    }
    return out;
}

HtmlElement HtmlElement::closest(const char* tag) const
{
    const GumboTag wanted = gumbo_tag_enum(tag);
    for (const GumboNode* node = m_node ? m_node->parent : nullptr; node; node = node->parent) {
        if (isElement(node) && node->v.element.tag == wanted) {
            return HtmlElement(node);
        }
    }
    return {};
}

QList<HtmlElement> HtmlElement::descendants() const
{
    QList<HtmlElement> out;
    if (m_node) {
        collectElements(m_node, out, [](const GumboNode* node) { return HtmlElement(node); });
    }
    return out;
}

HtmlDocument::HtmlDocument(const QString& html, const QUrl& address, HtmlCharset::Charset charset)
    : m_text(html)
    , m_utf8(html.toUtf8())
    , m_address(address)
    , m_charset(charset)
{
    GumboOptions options = kGumboDefaultOptions;
    options.max_errors = 0;
    m_output = gumbo_parse_with_options(&options, m_utf8.constData(), static_cast<size_t>(m_utf8.size()));
    collectElements(m_output->document, m_elements, [](const GumboNode* node) { return HtmlElement(node); });
}

std::unique_ptr<HtmlDocument> HtmlDocument::fromBytes(
    QByteArrayView bytes, QByteArrayView contentTypeHeader, const QUrl& address)
{
    const HtmlCharset::Charset charset = HtmlCharset::detect(bytes, contentTypeHeader);
    return std::make_unique<HtmlDocument>(HtmlCharset::decode(bytes, charset), address, charset);
}

HtmlDocument::~HtmlDocument()
{
    gumbo_destroy_output(&kGumboDefaultOptions, m_output);
}

QList<HtmlElement> HtmlDocument::elementsByTagName(const QString& tag) const
{
    const QString wanted = tag.toLower();
    QList<HtmlElement> out;
    for (const HtmlElement& element : m_elements) {
        if (element.tagName() == wanted) {
            out.append(element);
        }
    }
    return out;
}

HtmlElement HtmlDocument::elementByName(const QString& name) const
{
    for (const HtmlElement& element : m_elements) {
        if (element.attribute("name") == name) {
            return element;
        }
    }
    for (const HtmlElement& element : m_elements) {
        if (element.attribute("id") == name) {
            return element;
        }
    }
    return {};
}

bool HtmlDocument::setSelectValue(const HtmlElement& select, const QString& value)
{
    if (select.tagName() != u"select") {
        return false;
    }
    for (const HtmlElement& option : select.descendants()) {
        if (option.tagName() == u"option" && optionValue(option) == value) {
            m_chosen.insert(select.m_node, option.m_node);
            return true;
        }
    }
    m_chosen.insert(select.m_node, nullptr);
    return false;
}

HtmlElement HtmlDocument::chosenOption(const HtmlElement& select) const
{
    if (const auto chosen = m_chosen.constFind(select.m_node); chosen != m_chosen.cend()) {
        return HtmlElement(chosen.value());
    }
    HtmlElement first;
    HtmlElement marked;
    for (const HtmlElement& option : select.descendants()) {
        if (option.tagName() != u"option") {
            continue;
        }
        if (first.isNull()) {
            first = option;
        }
        if (option.attribute("selected")) {
            marked = option;
        }
    }
    return marked ? marked : first;
}

QString HtmlDocument::optionValue(const HtmlElement& option)
{
    if (const auto value = option.attribute("value")) {
        return *value;
    }
    return collapseWhiteSpace(option.innerText()).trimmed();
}

std::optional<FormSubmission> HtmlDocument::submission(const HtmlElement& button) const
{
    if (button.isNull()) {
        return std::nullopt;
    }
    const QString tag = button.tagName();
    const QString type = button.attributeText("type").trimmed().toLower();
    const bool isSubmit = (tag == u"input" && (type == u"submit" || type == u"image")) ||
        (tag == u"button" && (type.isEmpty() || type == u"submit"));
    const HtmlElement form = button.closest("form");
    if (!isSubmit || form.isNull()) {
        return std::nullopt;
    }

    QByteArray encoded;
    for (const auto& [name, value] : formData(form, button)) {
        if (!encoded.isEmpty()) {
            encoded += '&';
        }
        encoded += formEncode(name, m_charset) + '=' + formEncode(value, m_charset);
    }

    FormSubmission result;
    const QString action = form.attributeText("action").trimmed();
    result.url = action.isEmpty() ? m_address : m_address.resolved(QUrl(action));
    result.url.setFragment(QString());
    if (form.attributeText("method").trimmed().toLower() == u"post") {
        result.method = "POST";
        result.body = encoded;
    } else {
        result.method = "GET";
        result.url.setQuery(QString::fromLatin1(encoded), QUrl::StrictMode);
    }
    return result;
}

QList<QPair<QString, QString>> HtmlDocument::formData(const HtmlElement& form, const HtmlElement& pressed) const
{
    QList<QPair<QString, QString>> data;
    for (const HtmlElement& control : form.descendants()) {
        const QString tag = control.tagName();
        const QString name = control.attributeText("name");
        if (name.isEmpty() || control.attribute("disabled")) {
            continue;
        }
        if (tag == u"input") {
            const QString type = control.attributeText("type").trimmed().toLower();
            if (type == u"submit" || type == u"image" || type == u"button" || type == u"reset") {
                if (control == pressed) {
                    data.append({name, control.attributeText("value")});
                }
                continue;
            }
            if (type == u"file") {
                continue;
            }
            if ((type == u"checkbox" || type == u"radio")) {
                if (control.attribute("checked")) {
                    data.append({name, control.attribute("value").value_or(u"on"_s)});
                }
                continue;
            }
            data.append({name, control.attributeText("value")});
        } else if (tag == u"button") {
            if (control == pressed) {
                data.append({name, control.attributeText("value")});
            }
        } else if (tag == u"select") {
            if (control.attribute("multiple") && !m_chosen.contains(control.m_node)) {
                for (const HtmlElement& option : control.descendants()) {
                    if (option.tagName() == u"option" && option.attribute("selected")) {
                        data.append({name, optionValue(option)});
                    }
                }
                continue;
            }
            const HtmlElement option = chosenOption(control);
            if (option) {
                data.append({name, optionValue(option)});
            }
        } else if (tag == u"textarea") {
            // Line ends go out as CR LF, as browsers send them.
            QString text = rawText(control);
            text.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n').replace(u"\n"_s, u"\r\n"_s);
            data.append({name, text});
        }
    }
    return data;
}
