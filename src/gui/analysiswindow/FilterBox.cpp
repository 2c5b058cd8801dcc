#include "FilterBox.h"

FilterBox::FilterBox(const QString& initialText, QWidget* parent)
    : QComboBox(parent)
{
    setEditable(false);
    // With a placeholder set, adding entries leaves the box without a current entry, so it keeps showing this.
    setPlaceholderText(initialText);
    // A screen reader names the box by what it filters on, also once an entry is chosen.
    setAccessibleName(initialText);
    // The initial text is what the box shows, not a hint: draw it like a chosen entry.
    QPalette shown = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        shown.setBrush(group, QPalette::PlaceholderText, shown.brush(group, QPalette::ButtonText));
    }
    setPalette(shown);
    // Open as a list below the box, a screenful at most, rather than over the whole screen (101 entries).
    setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    setMaxVisibleItems(12);
}

void FilterBox::addNoChoice(const QString& text)
{
    addItem(text);
}

void FilterBox::addChoice(const QString& text, int value)
{
    addItem(text, value);
}

std::optional<int> FilterBox::chosenValue() const
{
    const QVariant value = currentData();
    return value.isValid() ? std::optional<int>(value.toInt()) : std::nullopt;
}
