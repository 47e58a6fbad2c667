#include "leaguedialog.h"

#include "app/dialogs.h"
#include "app/messagebox.h"
#include "data/location.h"
#include "league/output.h"
#include "publish/publish.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

namespace quilvarden::app {

void LeagueDialog::readInBackground(QObject* context, const QString& path,
                                    std::function<void(const Result<Read>&)> done)
{
    auto outcome = std::make_shared<std::optional<Result<Read>>>();
    QThread* thread = QThread::create([path, outcome] {
        Result<league::LeagueFile> file = league::readLeagueFile(path);
        if (!file) {
            *outcome = Result<Read>(file.failure());
            return;
        }
        Result<league::LeagueTable> table = league::buildLeague(*file);
        *outcome = table ? Result<Read>(Read{std::move(file).value(), std::move(table).value()})
                         : Result<Read>(table.failure());
    });
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    QObject::connect(thread, &QThread::finished, qApp, [] { QApplication::restoreOverrideCursor(); });
    QObject::connect(thread, &QThread::finished, context, [outcome, done] { done(**outcome); });
    thread->start();
}

QString LeagueDialog::failureText(const QString& path, const Failure& failure)
{
    return tr("Non se pode sumar a liga de %1:\n%2").arg(data::locate(path).shown(), failure.message());
}

void LeagueDialog::openLeague(QWidget* parent, const QString& path)
{
    readInBackground(parent, path, [parent, path](const Result<Read>& read) {
        if (!read) {
            MessageBox::critical(parent, tr("Liga"), failureText(path, read.failure()));
            return;
        }
        auto* dialog = new LeagueDialog(path, parent);
        dialog->present(*read);
        dialog->show();
    });
}

LeagueDialog::LeagueDialog(const QString& path, QWidget* parent) : QDialog(parent), m_path(path)
{
    setObjectName(QStringLiteral("dlgLiga"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("txtLiga"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(m_text);
    auto* buttons = new QDialogButtonBox(this);
    const auto button = [&](const char* name, const QString& text, QDialogButtonBox::ButtonRole role) {
        QPushButton* added = buttons->addButton(text, role);
        added->setObjectName(QString::fromLatin1(name));
        return added;
    };
    connect(button("btnGardarCsv", tr("Gardar en &CSV…"), QDialogButtonBox::ActionRole),
            &QPushButton::clicked, this, [this] { save(false); });
    connect(button("btnGardarJson", tr("Gardar en &JSON…"), QDialogButtonBox::ActionRole),
            &QPushButton::clicked, this, [this] { save(true); });
    m_reload = button("btnRecargar", tr("&Recargar"), QDialogButtonBox::ActionRole);
    connect(m_reload, &QPushButton::clicked, this, &LeagueDialog::reload);
    connect(button("btnPechar", tr("Pechar"), QDialogButtonBox::RejectRole), &QPushButton::clicked, this,
            &QDialog::reject);
    layout->addWidget(buttons);
    resize(860, 640);
}

void LeagueDialog::present(const Read& read)
{
    m_read = read;
    setWindowTitle(tr("Liga: %1").arg(read.table.name));
    m_text->setPlainText(league::asText(read.table));
}

void LeagueDialog::reload()
{
    m_reload->setEnabled(false);
    readInBackground(this, m_path, [this](const Result<Read>& read) {
        m_reload->setEnabled(true);
        if (read)
            present(*read);
        else
            MessageBox::critical(this, tr("Liga"), failureText(m_path, read.failure()));
    });
}

void LeagueDialog::save(bool json)
{
    const QString suffix = json ? QStringLiteral(".json") : QStringLiteral(".csv");
    const QString suggested = QFileInfo(m_path).absoluteDir().filePath(QStringLiteral("liga") + suffix);
    QString path = FileDialog::saveFileName(
        this, tr("Gardar a liga"), suggested,
        json ? QStringLiteral("JSON (*.json)") : QStringLiteral("CSV (*.csv)"), nullptr);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += suffix;
    // Never over one of the league's registers that are files.
    QStringList registers;
    for (const league::Matchday& matchday : m_read.file.matchdays)
        if (!matchday.where.isEmpty() && !data::isServerUri(matchday.where))
            registers << matchday.where;
    const league::LeagueTable table = m_read.table;
    const Outcome saved = publish::saveWhole(registers, path, [&table, json]() -> Result<QByteArray> {
        return json ? league::asJson(table) : league::asCsv(table).toUtf8();
    });
    if (!saved)
        MessageBox::critical(this, tr("Liga"), saved.failure().message());
}

} // namespace quilvarden::app
