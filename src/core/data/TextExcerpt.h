#pragma once

#include <QString>
#include <QStringView>

/// The beginning of a text for a message that quotes what the user gave: the whole text when it has at most
/// `maxCharacters` characters, otherwise its first `maxCharacters` characters and "…", so that a pasted line of
/// thousands of digits is not echoed whole. Characters are counted as the user sees them: a cut never splits a
/// surrogate pair, nor a Thai vowel or tone mark from its consonant.
QString textExcerpt(QStringView text, qsizetype maxCharacters = 24);

/// The whole character (as the user sees it) to which the code unit at `index` belongs.
QStringView characterAt(QStringView text, qsizetype index);
