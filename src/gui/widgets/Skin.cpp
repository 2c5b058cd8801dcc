#include "Skin.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QWidget>

#include <array>

using namespace Qt::StringLiterals;

namespace {

struct ColourKey
{
    QLatin1StringView key;
    QPalette::ColorRole role;
};

// The palette roles a skin may set, by their key in the [Colors] group.
constexpr std::array<ColourKey, 8> paletteKeys {{
    {"Window"_L1, QPalette::Window},
    {"WindowText"_L1, QPalette::WindowText},
    {"Base"_L1, QPalette::Base},
    {"AlternateBase"_L1, QPalette::AlternateBase},
    {"Button"_L1, QPalette::Button},
    {"ButtonText"_L1, QPalette::ButtonText},
    {"Highlight"_L1, QPalette::Highlight},
    {"HighlightedText"_L1, QPalette::HighlightedText},
}};

// Colours only the style sheet uses; each falls back to a palette colour when the skin does not give it.
constexpr QLatin1StringView frameKey = "Frame"_L1;
constexpr QLatin1StringView buttonHoverKey = "ButtonHover"_L1;
constexpr QLatin1StringView headerKey = "Header"_L1;

QString styleSheetFor(const QPalette& palette, const QColor& frame, const QColor& buttonHover, const QColor& header)
{
    const QString button = palette.color(QPalette::Button).name();
    const QString buttonText = palette.color(QPalette::ButtonText).name();
    const QString highlight = palette.color(QPalette::Highlight).name();
    const QString highlightedText = palette.color(QPalette::HighlightedText).name();
    const QString text = palette.color(QPalette::WindowText).name();
    const QString disabledText = palette.color(QPalette::Disabled, QPalette::ButtonText).name();
    return u"QGroupBox { border: 1px solid %1; border-radius: 4px; margin: 0px; padding: 0px; }\n"
           u"QPushButton { background-color: %2; color: %3; border: 1px solid %1; border-radius: 3px;"
           u" padding: 1px 2px; }\n"
           u"QPushButton:hover { background-color: %4; }\n"
           u"QPushButton:focus { border: 2px solid %5; padding: 0px 1px; }\n"
           u"QPushButton:pressed { background-color: %5; color: %6; }\n"
           u"QPushButton:disabled { color: %7; }\n"
           u"QHeaderView::section { background-color: %8; color: %9; border: 0px;"
           u" border-right: 1px solid %1; border-bottom: 1px solid %1; padding: 2px 3px; }\n"_s.arg(frame.name(),
               button, buttonText, buttonHover.name(), highlight, highlightedText, disabledText, header.name(), text);
}

} // namespace

Status Skin::load(const QString& directory, const QString& fileName)
{
    m_loaded = false;
    m_palette = QPalette();
    m_styleSheet.clear();

    const QString path = QDir(directory).filePath(fileName);
    if (!QFileInfo(path).isFile()) {
        return Status::failure(u"no skin file at "_s + path);
    }
    QSettings settings(path, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) {
        return Status::failure(u"the skin file cannot be read: "_s + path);
    }

    settings.beginGroup(u"Colors"_s);
    auto colourOf = [&settings](QLatin1StringView key) -> std::optional<QColor> {
        const QString text = settings.value(QString(key)).toString().trimmed();
        if (text.isEmpty()) {
            return QColor();
        }
        const QColor colour = QColor::fromString(text);
        return colour.isValid() ? std::optional<QColor>(colour) : std::nullopt;
    };

    QPalette palette;
    int given = 0;
    for (const ColourKey& entry : paletteKeys) {
        const std::optional<QColor> colour = colourOf(entry.key);
        if (!colour) {
            return Status::failure(u"the skin colour "_s + entry.key + u" is not a colour"_s);
        }
        if (colour->isValid()) {
            palette.setColor(QPalette::All, entry.role, *colour);
            ++given;
        }
    }
    const std::optional<QColor> frame = colourOf(frameKey);
    const std::optional<QColor> buttonHover = colourOf(buttonHoverKey);
    const std::optional<QColor> header = colourOf(headerKey);
    if (!frame || !buttonHover || !header) {
        return Status::failure(u"a skin colour is not a colour"_s);
    }
    if (given == 0) {
        return Status::failure(u"the skin gives no colours"_s);
    }

    // Disabled texts are the button text faded halfway into the button.
    const QColor buttonColour = palette.color(QPalette::Button);
    const QColor buttonText = palette.color(QPalette::ButtonText);
    const QColor faded((buttonColour.red() + buttonText.red()) / 2, (buttonColour.green() + buttonText.green()) / 2,
        (buttonColour.blue() + buttonText.blue()) / 2);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, faded);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, faded);
    palette.setColor(QPalette::Disabled, QPalette::Text, faded);

    m_palette = palette;
    m_styleSheet = styleSheetFor(palette, frame->isValid() ? *frame : palette.color(QPalette::Highlight),
        buttonHover->isValid() ? *buttonHover : palette.color(QPalette::Button).lighter(108),
        header->isValid() ? *header : palette.color(QPalette::Button));
    m_loaded = true;
    return Status::success();
}

void Skin::apply(QWidget* window) const
{
    if (!m_loaded) {
        return;
    }
    window->setPalette(m_palette);
    window->setStyleSheet(m_styleSheet);
}
