#include "widgets/ThaiTranslations.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QStringList texts(const QWidget& dialog)
{
    QStringList found;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        found.append(label->text());
    }
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        found.append(button->text());
    }
    return found;
}

} // namespace

/// Qt's own dialogs speak Thai once the program's translations are installed.
class TestThaiTranslations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void standardButtons_data();
    void standardButtons();
    void progressDialog();
    void fileDialog();
    void printDialog();
};

void TestThaiTranslations::initTestCase()
{
    installThaiTranslations();
    // A second call installs nothing more.
    installThaiTranslations();
}

void TestThaiTranslations::standardButtons_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("text");

    QTest::newRow("OK") << int(QDialogButtonBox::Ok) << u"ตกลง"_s;
    QTest::newRow("Cancel") << int(QDialogButtonBox::Cancel) << u"ยกเลิก"_s;
    QTest::newRow("Close") << int(QDialogButtonBox::Close) << u"ปิด"_s;
    QTest::newRow("Save") << int(QDialogButtonBox::Save) << u"บันทึก"_s;
    QTest::newRow("Yes") << int(QDialogButtonBox::Yes) << u"ใช่"_s;
    QTest::newRow("No") << int(QDialogButtonBox::No) << u"ไม่ใช่"_s;
}

void TestThaiTranslations::standardButtons()
{
    QFETCH(int, button);
    QFETCH(QString, text);

    QDialogButtonBox box {QDialogButtonBox::StandardButtons(button)};
    QCOMPARE(box.button(QDialogButtonBox::StandardButton(button))->text(), text);
    QMessageBox message;
    message.setStandardButtons(QMessageBox::StandardButton(button));
    QCOMPARE(message.button(QMessageBox::StandardButton(button))->text(), text);
}

void TestThaiTranslations::progressDialog()
{
    QProgressDialog dialog;
    QVERIFY2(texts(dialog).contains(u"ยกเลิก"_s), qPrintable(texts(dialog).join(u" | "_s)));
}

void TestThaiTranslations::fileDialog()
{
    QFileDialog dialog(nullptr, u"PDF"_s, QDir::tempPath(), u"PDF (*.pdf)"_s);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const QStringList shown = texts(dialog);
    for (const QString& expected : {u"ดูใน:"_s, u"ชื่อแฟ้ม(&N):"_s, u"ชนิดแฟ้ม:"_s, u"บันทึก(&S)"_s, u"ยกเลิก"_s}) {
        QVERIFY2(shown.contains(expected), qPrintable(expected + u" not in "_s + shown.join(u" | "_s)));
    }
}

void TestThaiTranslations::printDialog()
{
    QPrinter printer;
    QPrintDialog dialog(&printer);
    QCOMPARE(dialog.windowTitle(), u"พิมพ์"_s);
    const QStringList shown = texts(dialog);
    for (const QString& expected : {u"พิมพ์(&P)"_s, u"ยกเลิก"_s, u"ชื่อ(&N):"_s}) {
        QVERIFY2(shown.contains(expected), qPrintable(expected + u" not in "_s + shown.join(u" | "_s)));
    }
}

QTEST_MAIN(TestThaiTranslations)
#include "tst_thaitranslations.moc"
