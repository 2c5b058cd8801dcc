#pragma once

#include "DialogRecorder.h"
#include "FakeGloApi.h"
#include "SteppingClock.h"
#include "mainwindow/Form1.h"
#include "updater/GloApiSource.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

/// The main window of the window tests that reach the lottery office: a program directory of its own, a fake of the
/// office's JSON API for the update and the check, a clock that lets pauses pass at once, and the message boxes
/// recorded instead of shown. A test class takes it as a base: `setUpOffice()` in its init, `tearDownOffice()` in
/// its cleanup, `startForm()` where a test starts the window.
class Form1OfficeFixture
{
protected:
    void setUpOffice(QDateTime now = SteppingClock().peek())
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_api = std::make_unique<FakeGloApi>();
        QVERIFY(m_api->listen());
        m_clock = std::make_unique<SteppingClock>(std::chrono::milliseconds(100), std::move(now));
        m_dialogs = std::make_unique<DialogRecorder>();
    }

    void tearDownOffice()
    {
        m_form.reset();
        m_api.reset();
        m_clock.reset();
        m_dialogs.reset();
    }

    /// Writes the results file (none when `content` is null), puts a copy of the bundled prize store beside it when
    /// asked and none is there yet, and starts the main window over them.
    void startForm(const QByteArray* content, bool bundledStore = true)
    {
        if (content) {
            QFile file(m_dir->filePath(QStringLiteral("db.dll")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(*content), content->size());
        }
        const QString store = m_dir->filePath(QStringLiteral("prizes.sqlite"));
        if (bundledStore && !QFile::exists(store)) {
            QVERIFY(QFile::copy(QStringLiteral(VARENTA_BUNDLED_PRIZES), store));
            QFile::setPermissions(store, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        }
        Form1Config config;
        config.programDirectory = m_dir->path();
        config.clock = m_clock.get();
        config.makeDrawSource = [this]() -> std::unique_ptr<DrawSource> { return m_api->updateSource(*m_clock); };
        config.makeCheckSource = [this] {
            GloApiOptions options;
            options.baseUrl = m_api->baseUrl();
            return std::make_unique<GloApiSource>(options, *m_clock);
        };
        m_form = std::make_unique<Form1>(std::move(config));
        m_form->load();
        m_form->show();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeGloApi> m_api;
    std::unique_ptr<SteppingClock> m_clock;
    std::unique_ptr<DialogRecorder> m_dialogs;
    std::unique_ptr<Form1> m_form;
};
