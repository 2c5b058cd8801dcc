#pragma once

#include "LocalHttpServer.h"
#include "data/DrawRecord.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

/// What a page of the fake result site does instead of a good answer.
enum class ResultSiteFault {
    None,
    NotFound, ///< 404
    ServerError, ///< 500
    DropConnection, ///< closes the connection without an answer
    NoSelector, ///< the page lacks "select_round"
    NoButton, ///< the page lacks "B1"
    FewNumbers, ///< only five number elements
};

/// The lottery office's result page for tests: a form with the selector "select_round", whose option values begin
/// with the draw keys, and the button "B1"; the numbers of the chosen draw in `<font size="2" face="Arial">`
/// elements (the 1st the first prize, the 7th the four three-digit numbers, the 8th the two-digit number) among
/// font elements that do not match. Thai text on the page; served in windows-874 or UTF-8.
class FakeResultSite final : public QObject
{
    Q_OBJECT

public:
    enum class Charset { Thai, Utf8 };
    enum class FormMethod { Get, Post };
    /// Where the page declares its charset.
    enum class CharsetDeclaration { Header, Meta };

    /// `draws` newest first, as the page lists them.
    explicit FakeResultSite(QList<DrawRecord> draws, QObject* parent = nullptr);

    void setCharset(Charset charset, CharsetDeclaration declaration = CharsetDeclaration::Header);
    void setFormMethod(FormMethod method) { m_method = method; }
    /// Text after the key in every option value ("25530816" + "xyz").
    void setOptionSuffix(const QString& suffix) { m_optionSuffix = suffix; }
    /// The first load of the page (without a chosen draw) misbehaves; `delayMs` slows it.
    void setListFault(ResultSiteFault fault, int delayMs = 0);
    /// The page that shows this draw misbehaves; `delayMs` slows its answer.
    void setDrawFault(const QString& key, ResultSiteFault fault, int delayMs = 0);

    bool listen() { return m_server.listen(); }
    /// The result page: "/detail.php?link=result_text" on the server.
    QUrl resultPageUrl() const;
    const LocalHttpServer& server() const { return m_server; }

    /// How often the list page was loaded (without a chosen draw).
    int listLoads() const { return m_listLoads; }
    /// The select_round values the site was asked for, in order.
    const QStringList& chosenValues() const { return m_chosenValues; }

    /// The page that shows `shown` (null: the newest), as the site serves it.
    QByteArray page(const DrawRecord* shown, ResultSiteFault fault = ResultSiteFault::None) const;

private:
    struct Misbehaviour
    {
        ResultSiteFault fault = ResultSiteFault::None;
        int delayMs = 0;
    };

    FakeHttpResponse answer(const FakeHttpRequest& request);
    QString pageText(const DrawRecord* shown, ResultSiteFault fault) const;
    QByteArray encode(const QString& text) const;
    QByteArray charsetLabel() const;

    QList<DrawRecord> m_draws;
    Charset m_charset = Charset::Thai;
    CharsetDeclaration m_declaration = CharsetDeclaration::Header;
    FormMethod m_method = FormMethod::Post;
    QString m_optionSuffix;
    Misbehaviour m_listFault;
    QHash<QString, Misbehaviour> m_drawFaults;
    LocalHttpServer m_server;
    int m_listLoads = 0;
    QStringList m_chosenValues;
};
