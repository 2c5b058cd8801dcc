#include "ThaiTranslations.h"

#include "widgets/QtThaiTexts.h"

#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QTranslator>

namespace {

/// Answers Qt's requests for its texts from the program's table; a text the table lacks stays in English.
class QtThaiTranslator final : public QTranslator
{
public:
    explicit QtThaiTranslator(QObject* parent)
        : QTranslator(parent)
    {
        for (const QtThaiTexts::Entry& entry : QtThaiTexts::entries) {
            m_texts.insert(key(entry.context, entry.source), entry.thai.toString());
        }
    }

    // Qt tells some texts apart by platform in `disambiguation`; the table holds one Thai text for all of them.
    QString translate(const char* context, const char* sourceText, const char* disambiguation, int n) const override
    {
        Q_UNUSED(disambiguation)
        Q_UNUSED(n)
        return m_texts.value(key(context, sourceText));
    }

    bool isEmpty() const override { return false; }

private:
    static QByteArray key(const char* context, const char* sourceText)
    {
        return QByteArray(context) + '\0' + QByteArray(sourceText);
    }

    QHash<QByteArray, QString> m_texts;
};

} // namespace

void installThaiTranslations()
{
    static QPointer<QtThaiTranslator> installed;
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || installed) {
        return;
    }
    installed = new QtThaiTranslator(application);
    QCoreApplication::installTranslator(installed);
}
