#pragma once

#include "app/resultsmodel.h"
#include "data/database.h"
#include "data/standings.h"
#include "data/watch.h"
#include "live/server.h"
#include "results/scorefile.h"
#include "text/failure.h"

#include <QAction>
#include <QHash>
#include <QStringListModel>
#include <QWidget>

#include <memory>
#include <optional>

class QComboBox;

namespace Ui {
class frmIntroRes;
}

namespace quilvarden::app {

// The results-entry window: every control of the scoring table in its fixed place, and one
// handler for each control event that runs an operation.
class FrmIntroRes : public QWidget {
    Q_OBJECT

public:
    static constexpr int ClientWidth = 895;
    static constexpr int ClientHeight = 707;

    explicit FrmIntroRes(std::unique_ptr<data::Database> database, QWidget* parent = nullptr);
    ~FrmIntroRes() override;

    // The load operation, run once before the window is first shown: fills the club list
    // with the clubs of the meet. A failure here keeps the window from opening.
    Outcome load();

    // Shows the window in the middle of the screen it opens on.
    void showCentred();

    // The cursor in "Orde", its text selected, to type the next event.
    void focusOrder();

    // The register this window works on: its path, or a server's URI.
    QString registerPath() const;

    // Where "Publicar en directo…" listens: by default every IPv4 address of the machine,
    // port 8080 (another free port when that one is taken).
    void setLiveListen(const QHostAddress& address, quint16 port);

    // "Regras do campionato…": the meet's rules, to see and change. The proposals follow
    // them once the dialog closes.
    void editRules();

    // "Categorías do campionato…": the meet's categories, to type, change or remove. The
    // event on show offers them once the dialog closes.
    void editCategories();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The places of the order numbers, from the programme: 2, or 3 past 99.
    Outcome readOrderPlaces();
    // Typing or stepping in "Orde": the event of that order number and its first points.
    void lookUpEvent(const QString& orderText);
    // The event's code, gender and points emptied together.
    void clearEvent();

    // The category box, in the free room right of "Club"; shown only for a meet that ranks
    // categories.
    void makeCategoryBox();
    // The meet's categories read again (the dialog, an import or another station may have
    // changed them).
    Outcome readCategories();
    // The categories of the event of this order number to choose from, the first chosen:
    // none, one (nothing to choose), or several and the awards of none ("Absoluta"; first
    // when the rules score the every-age ranking).
    void offerCategories(int order);
    void noCategories();
    // The category chosen: the points proposed follow the places already awarded in it.
    void chooseCategory(int index);
    // The category of the awards being recorded; empty for none.
    QString currentCategory() const;
    // Whether the event on show has categories to record its awards in.
    bool eventHasCategories() const;
    // "+" and "-": the next or previous order number, looked up at once.
    void stepOrder(bool forward);
    // "Engadir", a double click or Enter on a club: stores the award, lists it on top and
    // proposes the next place's points.
    void recordAward();
    // "Desfacer Último": takes back this station's latest award and reloads the list.
    void undoLastAward();
    // "Actualizar Lista": the list rebuilt from the register.
    void reloadList();
    // The results list's menu: score events from the meet-management program's results
    // file, after the operator has seen what would be stored.
    void showListMenu(const QPoint& position);
    void scoreFromResults();
    std::optional<QStringList> proposalLines(const results::ScorePlan& plan);
    void storeScored(const results::ScorePlan& plan, bool replace);
    // "Clasificacions": the men's, women's and combined standings.
    void buildStandings();
    void showStandings(const data::StandingsReport& standings);
    // The menu of the standings text: save the standings to a file, or print them.
    void showStandingsMenu(const QPoint& position);
    void saveStandings();
    void printStandings();
    // The standings on the web for everyone at the pool, from this register: started on
    // the first call, then its addresses shown again.
    void publishLive();

    // The meet's rules read again (another station may have changed them), with the names
    // its guests' awards carry.
    Outcome readRules();
    // By the meet's own table: the points of the place the next award takes. The league's
    // scale proposes by the texts of the points and the step instead.
    bool byTable() const;
    void proposePlace();
    // The points of the event's first place (in the category chosen).
    void proposeFirst();
    void rulesClosed();
    // An award to a guest club, or past the club's cap in the event, is stored only when the
    // operator says so; false when it is not to be stored.
    bool confirmAward(const QString& order, const QString& eventCode, const QString& club);
    // The awards the club already has in the event (in the category chosen, where it has one).
    Result<int> clubAwardsBefore(const QString& order, const QString& club);

    // "+ 0,5" and "- 0,5" on the proposed points.
    void nudgePoints(int direction);

    // "X" beside the time fields: the time as a count of hundredths.
    void convertTime();
    // "X" beside the two times: FINA points of the swim against the base time.
    void scoreFina();

    QString selectedClub() const;

    // What the lists and calculator fields are, told by tooltips, placeholders and
    // accessible names (the controls have no room for more captions).
    void describeControls();
    // Spanish captions run longer than the Galician ones the form was laid out for: a
    // label, button or check box whose caption would be cut is widened to its right, and
    // nothing else moves. Galician keeps the form as it is.
    void fitTranslatedCaptions();

    // The one place where a failed operation is shown to the operator. The operation has
    // stopped where it failed; the program goes on.
    void report(const Failure& failure);

    std::unique_ptr<Ui::frmIntroRes> m_ui;
    std::unique_ptr<data::Database> m_database;
    ResultsModel m_results;
    int m_orderPlaces = 2;
    // Awards recorded or taken back by other stations, and the standings once built, are
    // shown without anyone pressing anything.
    void followOtherStations();
    data::RegisterWatch* m_watch = nullptr;
    bool m_standingsShown = false;
    QStringListModel m_men;
    QStringListModel m_women;
    QStringListModel m_combined;
    QAction* m_saveStandings = nullptr;
    QAction* m_printStandings = nullptr;
    QAction* m_publishLive = nullptr;
    QAction* m_scoreResults = nullptr;
    std::unique_ptr<live::LiveServer> m_liveServer;
    live::ServeOptions m_liveOptions;
    std::optional<rules::MeetRules> m_rules; // as stored; none: the league's scale
    QStringList m_guestNames;
    // The place the next award takes in the event looked up: one more for each award this
    // window records there, whatever its points.
    qsizetype m_place = 1;

    QComboBox* m_category = nullptr;
    QList<data::MeetCategory> m_categories;
    // Where each category of the event on show was left when another was chosen: its next
    // place and the points and step proposed for it.
    struct Progress {
        qsizetype place = 1;
        QString points;
        QString step;
    };
    QHash<QString, Progress> m_progress;
    QString m_shownCategory; // the category whose proposal the fields show
};

} // namespace quilvarden::app
