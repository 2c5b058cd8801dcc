// Any bytes as a user's prize store: opening it (a file that is no store is set aside and a fresh one made, a newer
// layout read only), reading its draws, looking numbers up and adding a table.
#include "data/PrizeStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

using namespace Qt::StringLiterals;

namespace {

// A whole table of one draw of today's era.
DrawPrizes wholeTable()
{
    DrawPrizes prizes;
    prizes.drawKey = u"25690516"_s;
    int serial = 0;
    for (const PrizeKind kind : PrizeKinds::ofDraw(prizes.drawKey)) {
        for (int i = 0; i < PrizeKinds::count(kind); ++i, ++serial) {
            prizes.numbers.append({kind,
                u"%1"_s.arg(serial, PrizeKinds::digits(kind), 10, QChar(u'0')).right(PrizeKinds::digits(kind)), i + 1});
        }
    }
    return prizes;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // The SQL driver is a plugin: it loads only with an application object.
    static QCoreApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir directory;
    static const DrawPrizes table = wholeTable();
    QDir folder(directory.path());
    for (const QFileInfo& entry : folder.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (entry.isDir()) {
            QDir(entry.filePath()).removeRecursively();
        } else {
            QFile::remove(entry.filePath());
        }
    }
    const QString path = folder.filePath(u"prizes.sqlite"_s);
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) != static_cast<qint64>(size)) {
            return 0;
        }
    }

    PrizeStore store(path);
    if (!store.open()) {
        return 0;
    }
    // A file set aside is kept whole, never deleted; a store opened for writing takes a whole table or says why.
    if (!store.setAsidePath().isEmpty() && QFileInfo(store.setAsidePath()).size() != static_cast<qint64>(size)) {
        __builtin_trap();
    }
    if (const Result<QStringList> keys = store.drawKeys()) {
        for (const QString& key : keys.value().mid(0, 8)) {
            (void)store.draw(key);
        }
    }
    (void)store.lookUp({u"123456"_s, u"456"_s, u"56"_s});
    const PrizeStore::Writes writes = store.addDraws({table});
    if (writes.draws.size() != 1 ||
        (writes.draws.first().outcome == PrizeStore::DrawWrite::Outcome::Failed &&
            writes.draws.first().error.isEmpty())) {
        __builtin_trap();
    }
    return 0;
}
