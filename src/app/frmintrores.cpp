#include "frmintrores.h"

#include "app/categoriesdialog.h"
#include "app/dialogs.h"
#include "app/emptyhint.h"
#include "app/livedialog.h"
#include "app/messagebox.h"
#include "app/rulesdialog.h"
#include "app/scoredialog.h"
#include "calc/calculators.h"
#include "calc/scoring.h"
#include "calc/tableproposal.h"
#include "data/standings.h"
#include "imports/lenex.h"
#include "language/language.h"
#include "publish/publish.h"
#include "results/scorefile.h"
#include "text/lines.h"
#include "text/masks.h"
#include "text/numbers.h"
#include "ui_frmintrores.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>

namespace quilvarden::app {

namespace {

// "720,87 --> 721" needs 91 px at the usual font, and the 90 px field keeps 84 for text: the
// line edit, with its cursor at the end, scrolled "7" out of sight. The text is shown from its
// start in a font small enough for it (down to 6 pt), and whole in the tooltip.
void showWhole(QLineEdit* field, const QString& text)
{
    QStyleOptionFrame option;
    option.initFrom(field);
    option.lineWidth = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, field);
    const int room = field->style()->subElementRect(QStyle::SE_LineEditContents, &option, field).width() - 4;
    QFont font = field->parentWidget()->font();
    while (font.pointSizeF() > 6 && QFontMetrics(font).horizontalAdvance(text) > room)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    field->setFont(font);
    field->setText(text);
    field->setCursorPosition(0);
    field->setToolTip(text);
}

// The width a label's, button's or check box's caption needs to be seen whole; 0 for the
// other controls. A push button's own size hint is no measure of that: the style makes every
// captioned button at least 80 px wide, more than the form's "+", "-" and "X" buttons have.
int captionWidth(const QWidget* control)
{
    const auto* button = qobject_cast<const QPushButton*>(control);
    if (!button)
        return qobject_cast<const QLabel*>(control) || qobject_cast<const QAbstractButton*>(control)
                   ? control->sizeHint().width()
                   : 0;
    QStyleOptionButton option;
    option.initFrom(button);
    const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    return button->style()->sizeFromContents(QStyle::CT_PushButton, &option, text, button).width();
}

} // namespace

FrmIntroRes::FrmIntroRes(std::unique_ptr<data::Database> database, QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::frmIntroRes>()), m_database(std::move(database)),
      m_results(*m_database)
{
    m_ui->setupUi(this);
    // The captions form one control array, Label1, told apart by their index.
    const QList<QLabel*> labels = findChildren<QLabel*>();
    for (QLabel* label : labels) {
        const QVariant index = label->property("Index");
        if (index.isValid())
            label->setObjectName(QStringLiteral("Label1(%1)").arg(index.toInt()));
    }
    fitTranslatedCaptions();
    setFixedSize(ClientWidth, ClientHeight);
    // Its black background drawn also when it sits inside the main window.
    setAttribute(Qt::WA_StyledBackground);

    m_ui->lista->setModel(&m_results);
    m_results.setFailureHandler([this](const Failure& failure) { report(failure); });
    m_ui->clas_mas->setModel(&m_men);
    m_ui->clas_fem->setModel(&m_women);
    m_ui->clas_con->setModel(&m_combined);

    connect(m_ui->orde, &QLineEdit::textChanged, this, &FrmIntroRes::lookUpEvent);
    connect(m_ui->btnOrdeMaisUn, &QPushButton::clicked, this, [this] { stepOrder(true); });
    connect(m_ui->btnOrdeMenosUn, &QPushButton::clicked, this, [this] { stepOrder(false); });
    connect(m_ui->btnEngadir, &QPushButton::clicked, this, &FrmIntroRes::recordAward);
    connect(m_ui->club, &QListWidget::itemDoubleClicked, this, &FrmIntroRes::recordAward);
    m_ui->club->installEventFilter(this);
    connect(m_ui->btnDesfacerUltimo, &QPushButton::clicked, this, &FrmIntroRes::undoLastAward);
    connect(m_ui->btnRecargar, &QPushButton::clicked, this, &FrmIntroRes::reloadList);
    connect(m_ui->btnClasificacions, &QPushButton::clicked, this, &FrmIntroRes::buildStandings);
    connect(m_ui->btnMedioMais, &QPushButton::clicked, this, [this] { nudgePoints(+1); });
    connect(m_ui->btnMedioMenos, &QPushButton::clicked, this, [this] { nudgePoints(-1); });
    connect(m_ui->btnTotCen, &QPushButton::clicked, this, &FrmIntroRes::convertTime);
    connect(m_ui->btnFina, &QPushButton::clicked, this, &FrmIntroRes::scoreFina);

    // Beside the usual editing actions, the standings text offers to save and print them.
    m_saveStandings = new QAction(tr("Gardar clasificacións…"), this);
    m_saveStandings->setObjectName(QStringLiteral("actionGardarClasificacions"));
    m_printStandings = new QAction(tr("Imprimir…"), this);
    m_printStandings->setObjectName(QStringLiteral("actionImprimirClasificacions"));
    connect(m_saveStandings, &QAction::triggered, this, &FrmIntroRes::saveStandings);
    connect(m_printStandings, &QAction::triggered, this, &FrmIntroRes::printStandings);
    // For the pool's network, on the usual port for such pages.
    m_liveOptions.address = QHostAddress(QHostAddress::AnyIPv4);
    m_publishLive = new QAction(tr("Publicar en directo…"), this);
    m_publishLive->setObjectName(QStringLiteral("actionPublicarEnDirecto"));
    connect(m_publishLive, &QAction::triggered, this, &FrmIntroRes::publishLive);
    m_scoreResults = new QAction(tr("Puntuar desde resultados…"), this);
    m_scoreResults->setObjectName(QStringLiteral("actionPuntuarResultados"));
    connect(m_scoreResults, &QAction::triggered, this, &FrmIntroRes::scoreFromResults);
    m_ui->lista->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_ui->lista, &QWidget::customContextMenuRequested, this, &FrmIntroRes::showListMenu);
    m_ui->clas->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_ui->clas, &QWidget::customContextMenuRequested, this, &FrmIntroRes::showStandingsMenu);

    describeControls();
    makeCategoryBox();
    focusOrder();

    m_watch = new data::RegisterWatch(*m_database, this);
    connect(m_watch, &data::RegisterWatch::changed, this, &FrmIntroRes::followOtherStations);
}

FrmIntroRes::~FrmIntroRes()
{
    // The live server and the watch go before the connection they read.
    m_liveServer.reset();
    delete m_watch;
    m_watch = nullptr;
}

void FrmIntroRes::focusOrder()
{
    m_ui->orde->setFocus(Qt::ShortcutFocusReason);
    m_ui->orde->selectAll();
}

QString FrmIntroRes::registerPath() const
{
    return m_database->path();
}

void FrmIntroRes::describeControls()
{
    const auto describe = [](QWidget* control, const QString& text) {
        control->setToolTip(text);
        control->setAccessibleName(text);
    };
    const struct {
        QAbstractItemView* list;
        QString name;
    } standings[] = {
        {m_ui->clas_mas, tr("Clasificación masculina")},
        {m_ui->clas_fem, tr("Clasificación feminina")},
        {m_ui->clas_con, tr("Clasificación conxunta")},
    };
    for (const auto& standing : standings) {
        describe(standing.list, standing.name);
        new EmptyHint(standing.list, standing.name);
    }
    describe(m_ui->orde, tr("Orde da proba (Ctrl+L)"));
    describe(m_ui->totcen, tr("Marca en centésimas"));
    describe(m_ui->ptos_fina, tr("Puntos FINA da marca"));
    m_ui->totcen->setPlaceholderText(tr("centésimas"));
    m_ui->ptos_fina->setPlaceholderText(tr("puntos FINA"));
    // The hundredths calculator, and the FINA one: the swim time above, the base time below.
    const struct {
        QLineEdit* field;
        QString name;
        QString placeholder;
    } times[] = {
        {m_ui->min, tr("Marca: minutos"), tr("m")},
        {m_ui->seg, tr("Marca: segundos"), tr("s")},
        {m_ui->cen, tr("Marca: centésimas"), tr("c")},
        {m_ui->t_min, tr("Marca nadada: minutos"), tr("m")},
        {m_ui->t_seg, tr("Marca nadada: segundos"), tr("s")},
        {m_ui->t_cen, tr("Marca nadada: centésimas"), tr("c")},
        {m_ui->b_min, tr("Marca base: minutos"), tr("m")},
        {m_ui->b_seg, tr("Marca base: segundos"), tr("s")},
        {m_ui->b_cen, tr("Marca base: centésimas"), tr("c")},
    };
    for (const auto& time : times) {
        describe(time.field, time.name);
        time.field->setPlaceholderText(time.placeholder);
    }
    m_ui->btnTotCen->setToolTip(tr("Pasa a marca a centésimas"));
    m_ui->btnFina->setToolTip(tr("Calcula os puntos FINA da marca nadada fronte á marca base"));
}

void FrmIntroRes::fitTranslatedCaptions()
{
    if (language::installed(*QCoreApplication::instance()) == language::Language::Galician)
        return;
    const QList<QWidget*> controls = findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* control : controls) {
        if (const int needed = captionWidth(control); needed > control->width() + 2)
            control->resize(needed, control->height());
    }
}

Outcome FrmIntroRes::load()
{
    Result<QStringList> clubs = m_database->clubNames();
    if (!clubs)
        return clubs.failure();
    m_ui->club->clear();
    m_ui->club->addItems(*clubs);
    if (Outcome read = readCategories(); !read)
        return read;
    return readOrderPlaces();
}

Outcome FrmIntroRes::readOrderPlaces()
{
    const Result<std::optional<double>> highest = m_database->highestOrderNumber();
    if (!highest)
        return highest.failure();
    m_orderPlaces = text::orderPlaces(*highest);
    m_results.setOrderPlaces(m_orderPlaces);
    return Done{};
}

void FrmIntroRes::showCentred()
{
    if (const QScreen* screen = this->screen())
        setGeometry(
            QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
    show();
}

bool FrmIntroRes::eventFilter(QObject* watched, QEvent* event)
{
    // Enter on a selected club records it, as a double click does, so that a whole event
    // can be scored with the arrow keys and Enter.
    if (watched == m_ui->club && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool nothingSelected = m_ui->club->selectedItems().isEmpty();
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !nothingSelected) {
            recordAward();
            return true;
        }
        // The first arrow key into a list with nothing selected picks the club under the
        // focus mark, not the one after it.
        if ((key->key() == Qt::Key_Down || key->key() == Qt::Key_Up) && nothingSelected &&
            m_ui->club->count() > 0) {
            m_ui->club->setCurrentRow(qMax(0, m_ui->club->currentRow()));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FrmIntroRes::clearEvent()
{
    m_ui->proba->clear();
    m_ui->sexo->clear();
    m_ui->puntos->clear();
    noCategories();
}

void FrmIntroRes::makeCategoryBox()
{
    m_category = m_ui->cmbCategoria;
    m_category->setToolTip(tr("Categoría das marcas que se engaden (Ctrl+K)"));
    m_category->setAccessibleName(m_category->toolTip());
    m_category->hide();
    noCategories();
    connect(m_category, &QComboBox::currentIndexChanged, this, &FrmIntroRes::chooseCategory);
    auto* shortcut = new QShortcut(QKeySequence(tr("Ctrl+K")), this);
    connect(shortcut, &QShortcut::activated, this, [this] {
        if (m_category->isVisible() && m_category->isEnabled())
            m_category->setFocus(Qt::ShortcutFocusReason);
    });
}

Outcome FrmIntroRes::readCategories()
{
    Result<QList<data::MeetCategory>> categories = m_database->meetCategories();
    if (!categories)
        return categories.failure();
    m_categories = std::move(categories).value();
    m_category->setVisible(!m_categories.isEmpty());
    return Done{};
}

void FrmIntroRes::noCategories()
{
    const QSignalBlocker quiet(m_category);
    m_category->clear();
    m_category->setEnabled(false);
    m_category->setPlaceholderText(tr("Categoría"));
    m_progress.clear();
    m_shownCategory.clear();
}

void FrmIntroRes::offerCategories(int order)
{
    noCategories();
    const QStringList names = data::categoriesOfEvent(m_categories, order);
    const QSignalBlocker quiet(m_category);
    for (const QString& name : names)
        m_category->addItem(name, name);
    // An event that ranks several categories ranks every age too: its awards of none, first
    // where that ranking is the one the rules score.
    if (names.size() > 1)
        m_category->insertItem(m_rules && m_rules->ranking == rules::Ranking::Open ? 0 : int(names.size()),
                               tr("Absoluta"), QStringLiteral(""));
    m_category->setEnabled(names.size() > 1);
    if (names.isEmpty())
        m_category->setPlaceholderText(tr("Proba sen categorías"));
    m_category->setCurrentIndex(names.isEmpty() ? -1 : 0);
    m_shownCategory = currentCategory();
}

void FrmIntroRes::chooseCategory(int index)
{
    if (index < 0)
        return;
    m_progress.insert(m_shownCategory, {m_place, m_ui->puntos->text(), m_ui->paso->text()});
    m_shownCategory = currentCategory();
    if (const auto left = m_progress.constFind(m_shownCategory); left != m_progress.constEnd()) {
        m_place = left->place;
        m_ui->puntos->setText(left->points);
        m_ui->paso->setText(left->step);
        return;
    }
    m_place = 1;
    proposeFirst();
}

QString FrmIntroRes::currentCategory() const
{
    return m_category->currentIndex() < 0 ? QString() : m_category->currentData().toString();
}

bool FrmIntroRes::eventHasCategories() const
{
    return m_category->count() > 0;
}

void FrmIntroRes::lookUpEvent(const QString& orderText)
{
    // Only an order number of the programme's places is looked up; anything else clears the event.
    if (!calc::looksUpOrder(orderText, m_orderPlaces)) {
        clearEvent();
        return;
    }
    const Result<std::optional<data::EventRow>> found = m_database->findEvent(text::readLenient(orderText));
    // A lookup that fails clears the event's fields together, so that "Engadir" can never
    // store an award mixing this order number with another event's code, gender or points.
    if (!found) {
        clearEvent();
        report(found.failure());
        return;
    }
    for (Outcome read : {readRules(), readCategories()})
        if (!read) {
            clearEvent();
            report(read.failure());
            return;
        }
    if (!found->has_value())
        return; // no such event: the fields keep what they showed
    const data::EventRow& event = **found;
    if (event.code.isNull() || event.gender.isNull()) {
        clearEvent();
        report(Failure::invalidUseOfNull(
            event.code.isNull()
                ? tr("A proba da orde %1 non ten código (EVENTCODE baleiro).").arg(orderText)
                : tr("A proba da orde %1 non ten sexo (GENDERCODE baleiro).").arg(orderText)));
        return;
    }
    m_ui->proba->setText(text::valueText(event.code));
    m_ui->sexo->setText(text::valueText(event.gender));
    m_place = 1;
    offerCategories(static_cast<int>(text::readLenient(orderText)));
    proposeFirst();
}

void FrmIntroRes::proposeFirst()
{
    if (byTable()) {
        proposePlace();
        return;
    }
    const calc::Proposal first = calc::firstPlace(m_ui->proba->text());
    m_ui->puntos->setText(first.points);
    if (first.step)
        m_ui->paso->setText(*first.step);
}

Outcome FrmIntroRes::readRules()
{
    const Result<std::optional<rules::MeetRules>> stored = m_database->meetRules();
    if (!stored)
        return stored.failure();
    const Result<QStringList> guests = m_database->guestClubNames(stored->value_or(rules::leagueRules()));
    if (!guests)
        return guests.failure();
    m_rules = *stored;
    m_guestNames = *guests;
    return Done{};
}

bool FrmIntroRes::byTable() const
{
    return !calc::scoresAsLeague(m_rules);
}

void FrmIntroRes::proposePlace()
{
    const calc::Proposal proposal = calc::placeProposal(m_rules, m_place, calc::isRelay(m_ui->proba->text()));
    m_ui->puntos->setText(proposal.points);
    if (proposal.step)
        m_ui->paso->setText(*proposal.step);
}

void FrmIntroRes::editRules()
{
    // Rules kept that no longer read are told, and the league's shown, to be set anew.
    const Result<std::optional<rules::MeetRules>> stored = m_database->meetRules();
    if (!stored)
        report(stored.failure());
    const Result<data::RegisteredMeet> meet = m_database->meetClubs();
    if (!meet) {
        report(meet.failure());
        return;
    }
    const rules::MeetRules current = stored ? stored->value_or(rules::leagueRules()) : rules::leagueRules();
    auto* dialog = new RulesDialog(
        current, meet->clubs,
        [this](const rules::MeetRules& chosen) { return m_database->setMeetRules(chosen); }, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, &FrmIntroRes::rulesClosed);
    dialog->open();
}

void FrmIntroRes::editCategories()
{
    if (Outcome read = readCategories(); !read) {
        report(read.failure());
        return;
    }
    auto* dialog = new CategoriesDialog(
        m_categories,
        [this](const QList<data::MeetCategory>& chosen) { return m_database->setMeetCategories(chosen); },
        this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, [this, before = m_categories] {
        if (Outcome read = readCategories(); !read) {
            report(read.failure());
            return;
        }
        // The event on show offers its categories as they are now, from its first place.
        if (m_categories == before || m_ui->proba->text().isEmpty() ||
            !calc::looksUpOrder(m_ui->orde->text(), m_orderPlaces))
            return;
        m_place = 1;
        offerCategories(static_cast<int>(text::readLenient(m_ui->orde->text())));
        proposeFirst();
    });
    dialog->open();
}

void FrmIntroRes::rulesClosed()
{
    const bool wasByTable = byTable();
    if (Outcome read = readRules(); !read) {
        report(read.failure());
        return;
    }
    // The event on show gets the points of its place by the rules now; under the league's
    // scale, as it has always been, the proposal shown stays.
    if (m_ui->proba->text().isEmpty() || !calc::looksUpOrder(m_ui->orde->text(), m_orderPlaces))
        return;
    if (byTable() || wasByTable)
        proposePlace();
}

bool FrmIntroRes::confirmAward(const QString& order, const QString& eventCode, const QString& club)
{
    QStringList reasons;
    if (rules::isGuestName(m_guestNames, club))
        reasons << tr("«%1» é un club convidado: non puntúa.").arg(club);
    const bool relay = calc::isRelay(eventCode);
    if (const int cap = m_rules ? m_rules->scorers(relay) : 0; cap > 0) {
        const Result<int> before = clubAwardsBefore(order, club);
        if (!before) {
            report(before.failure());
            return false;
        }
        if (calc::pastCap(*m_rules, relay, *before))
            reasons << (eventHasCategories()
                            ? tr("«%1» xa leva nesta proba, en «%3», as marcas que puntúan por club (%2).")
                                  .arg(club)
                                  .arg(cap)
                                  .arg(m_category->currentText())
                            : tr("«%1» xa leva nesta proba as marcas que puntúan por club (%2).")
                                  .arg(club)
                                  .arg(cap));
    }
    if (reasons.isEmpty())
        return true;
    return MessageBox::question(this, windowTitle(),
                                reasons.join(u'\n') + u'\n' + u'\n' + tr("Gardar a marca igualmente?")) ==
           QMessageBox::Yes;
}

Result<int> FrmIntroRes::clubAwardsBefore(const QString& order, const QString& club)
{
    const double number = text::readLenient(order);
    if (!eventHasCategories())
        return m_database->clubAwardsInEvent(number, club);
    return m_database->clubAwardsInEvent(number, club, currentCategory());
}

void FrmIntroRes::stepOrder(bool forward)
{
    const QString current = m_ui->orde->text();
    const std::optional<QString> next = forward ? calc::nextOrder(current) : calc::previousOrder(current);
    if (next)
        m_ui->orde->setText(*next); // looks the new event up before returning
}

QString FrmIntroRes::selectedClub() const
{
    const QList<QListWidgetItem*> selected = m_ui->club->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void FrmIntroRes::recordAward()
{
    const QString order = m_ui->orde->text();
    const QString eventCode = m_ui->proba->text();
    const QString gender = m_ui->sexo->text();
    const QString club = selectedClub();
    const QString points = m_ui->puntos->text();
    const QString category = currentCategory();

    // Points that are not a number would corrupt the standings: refuse them before
    // anything is stored.
    const Result<double> value = text::readStrict(points);
    if (!value) {
        Failure refused = value.failure();
        refused.detail = tr("Os puntos «%1» non son un número válido. Non se gardou nada.").arg(points);
        report(refused);
        return;
    }
    if (!confirmAward(order, eventCode, club))
        return;
    if (const Result<qint64> stored =
            m_database->recordAward({order, eventCode, gender, club, *value, category});
        !stored) {
        Failure failed = stored.failure();
        failed.detail += tr("\nNon se gardou a marca.");
        report(failed);
        return;
    }
    m_results.prepend(text::withCategory(
        text::resultsLine(order, eventCode, gender, club, points, m_orderPlaces), category));
    m_ui->lista->scrollToTop();

    ++m_place;
    if (byTable()) {
        proposePlace();
        return;
    }
    const Result<calc::Proposal> next = calc::nextPlace(points, m_ui->paso->text(), eventCode);
    if (!next) {
        Failure failed = next.failure();
        failed.detail = tr("A marca gardouse e está na lista: non a volvas engadir.\n"
                           "Só fallou a proposta dos puntos seguintes: %1")
                            .arg(failed.detail);
        report(failed);
        return;
    }
    m_ui->puntos->setText(next->points);
    if (next->step)
        m_ui->paso->setText(*next->step);
}

void FrmIntroRes::undoLastAward()
{
    // This station's latest award still in the register; the register's latest before it
    // has recorded any.
    const Result<std::optional<data::UndoneAward>> undone = m_database->undoLatestAward();
    if (!undone) {
        report(undone.failure());
        return;
    }
    if (!undone->has_value())
        return; // nothing to take back
    reloadList();
    const data::AwardRow& award = (*undone)->award;
    // The award taken back frees its place in the event on show, in its category: the one
    // chosen, or another one left, which proposes that place when chosen again.
    const bool eventShown = award.order.toString() == m_ui->orde->text();
    const auto left = m_progress.find(award.category);
    if (eventShown && award.category == currentCategory() && m_place > 1) {
        --m_place;
        if (byTable())
            proposePlace();
    } else if (eventShown && left != m_progress.end() && left->place > 1) {
        --left->place;
        const calc::Proposal proposal =
            calc::placeProposal(m_rules, left->place, calc::isRelay(m_ui->proba->text()));
        left->points = proposal.points;
        left->step = proposal.step.value_or(left->step);
    }
    MessageBox::information(
        this, windowTitle(),
        tr("Desfíxose a marca:\n%1")
            .arg(text::withCategory(text::resultsLine(award.order, award.eventCode, award.gender, award.club,
                                                      award.points, m_orderPlaces),
                                    award.category)));
}

void FrmIntroRes::reloadList()
{
    // A programme brought in again meanwhile may number its events past 99 now.
    if (Outcome read = readOrderPlaces(); !read) {
        report(read.failure());
        return;
    }
    if (Outcome reloaded = m_results.reload(); !reloaded) {
        report(reloaded.failure());
        return;
    }
    m_ui->lista->scrollToTop();
}

void FrmIntroRes::showListMenu(const QPoint& position)
{
    auto* menu = new QMenu(m_ui->lista);
    menu->setObjectName(QStringLiteral("menuLista"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(m_scoreResults);
    menu->popup(m_ui->lista->viewport()->mapToGlobal(position));
}

void FrmIntroRes::scoreFromResults()
{
    const QString path = FileDialog::openFileName(
        this, tr("Puntuar desde resultados"), tr("Resultados Lenex (*.lxf *.lef);;Todos os ficheiros (*)"));
    if (path.isEmpty())
        return;
    const Result<imports::FileResults> file = imports::readLenexResults(path);
    if (!file) {
        report(file.failure());
        return;
    }
    auto plan = std::make_shared<results::ScorePlan>();
    if (Result<results::ScorePlan> planned = results::planScores(*file, *m_database, {}); planned)
        *plan = std::move(planned).value();
    else
        return report(planned.failure());
    // Another meet's results (yesterday's, last season's) are only scored when the operator says so.
    if (!plan->otherMeet.isEmpty() &&
        MessageBox::question(this, windowTitle(),
                             tr("Estes resultados parecen doutro campionato que o programa: %1.\n\n"
                                "Son de verdade os resultados deste campionato?")
                                 .arg(plan->otherMeet)) != QMessageBox::Yes)
        return;
    const Result<QStringList> categories = results::fileCategories(*file, *m_database);
    if (!categories)
        return report(categories.failure());
    const std::optional<QStringList> lines = proposalLines(*plan);
    if (!lines)
        return;
    auto* dialog =
        new ScoreDialog(QFileInfo(path).fileName(), *lines, !plan->events.isEmpty(), *categories, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // Categories left out: the plan again with those marked only.
    connect(dialog, &ScoreDialog::categoriesChanged, this,
            [this, dialog, plan, all = *categories, fileResults = *file] {
                results::ScoreOptions options;
                options.categories = dialog->categories();
                if (options.categories.isEmpty())
                    return dialog->propose(
                        {tr("Non hai ningunha categoría marcada: marca polo menos unha para puntuar.")},
                        false);
                if (options.categories.size() == all.size())
                    options.categories.clear();
                Result<results::ScorePlan> planned = results::planScores(fileResults, *m_database, options);
                if (!planned)
                    return report(planned.failure());
                *plan = std::move(planned).value();
                if (const std::optional<QStringList> shown = proposalLines(*plan))
                    dialog->propose(*shown, !plan->events.isEmpty());
            });
    connect(dialog, &QDialog::accepted, this,
            [this, dialog, plan] { storeScored(*plan, dialog->replace()); });
    dialog->open();
}

// The plan as the operator checks it, with what storing it would do now: events kept as they
// are, brought up to date, or left alone. Nothing when the register cannot tell (reported).
std::optional<QStringList> FrmIntroRes::proposalLines(const results::ScorePlan& plan)
{
    QStringList lines = results::planLines(plan);
    if (!plan.events.isEmpty()) {
        const Result<data::StoredEvents> foreseen =
            m_database->storeEventAwards(results::awardsOf(plan), results::storeOptions(plan, false, true));
        if (!foreseen) {
            report(foreseen.failure());
            return std::nullopt;
        }
        lines << results::storedLines(plan, *foreseen, true);
    }
    return lines;
}

void FrmIntroRes::storeScored(const results::ScorePlan& plan, bool replace)
{
    const Result<data::StoredEvents> stored =
        m_database->storeEventAwards(results::awardsOf(plan), results::storeOptions(plan, replace));
    if (!stored) {
        report(stored.failure());
        return;
    }
    reloadList();
    buildStandings();
    // Said only when not everything was simply stored.
    if (stored->leftAlone.isEmpty() && stored->unchanged.isEmpty() && stored->updated.isEmpty())
        return;
    QStringList told = results::storedLines(plan, *stored, false);
    if (!stored->leftAlone.isEmpty())
        told << tr("Para substituír os puntos das probas que xa os teñen, marca «Substituír os puntos das "
                   "probas que xa os teñen».");
    MessageBox::information(this, windowTitle(), told.join(u'\n'));
}

void FrmIntroRes::followOtherStations()
{
    // The list keeps its place when the operator has scrolled down it; nothing else moves:
    // not the focus, not the club picked, not the text being typed.
    QScrollBar* bar = m_ui->lista->verticalScrollBar();
    const bool atTop = bar->value() == bar->minimum();
    const int position = bar->value();
    if (Outcome reloaded = m_results.reload(); !reloaded)
        return; // shown when the operator next acts on the register
    if (atTop)
        m_ui->lista->scrollToTop();
    else
        bar->setValue(position);
    // Standings that cannot be built now keep their last figures: the operator asked for
    // nothing, so nothing pops up; "Clasificacions" says why.
    if (m_standingsShown)
        if (const Result<data::StandingsReport> standings =
                data::buildStandings(*m_database, data::StandingsScope{true});
            standings)
            showStandings(*standings);
}

void FrmIntroRes::buildStandings()
{
    const Result<data::StandingsReport> standings =
        data::buildStandings(*m_database, data::StandingsScope{true});
    if (!standings) {
        report(standings.failure());
        return;
    }
    m_standingsShown = true;
    showStandings(*standings);
}

void FrmIntroRes::showStandings(const data::StandingsReport& standings)
{
    // The three lists are the meet's own standings; the text has each category's after them.
    QStringListModel* lists[] = {&m_men, &m_women, &m_combined};
    qsizetype filled = 0;
    for (const data::StandingSection& section : standings.sections)
        if (section.category.isEmpty() && filled < std::ssize(lists))
            lists[filled++]->setStringList(section.lines);
    m_ui->clas->setPlainText(standings.text());
}

void FrmIntroRes::showStandingsMenu(const QPoint& position)
{
    QMenu* menu = m_ui->clas->createStandardContextMenu(position);
    menu->setObjectName(QStringLiteral("menuClas"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addSeparator();
    menu->addAction(m_saveStandings);
    menu->addAction(m_printStandings);
    menu->addAction(m_publishLive);
    menu->popup(m_ui->clas->viewport()->mapToGlobal(position));
}

void FrmIntroRes::saveStandings()
{
    struct Choice {
        const char* filter;
        publish::Format format;
        const char* suffix;
    };
    static const Choice choices[] = {
        {QT_TR_NOOP("Texto (*.txt)"), publish::Format::Text, ".txt"},
        {"CSV (*.csv)", publish::Format::Csv, ".csv"},
        {QT_TR_NOOP("Páxina web (*.html)"), publish::Format::Html, ".html"},
        {"PDF (*.pdf)", publish::Format::Pdf, ".pdf"},
        {"JSON (*.json)", publish::Format::Json, ".json"},
    };
    QStringList filters;
    for (const Choice& choice : choices)
        filters << tr(choice.filter);
    QString selected = filters.at(3); // PDF
    const QString suggested =
        (m_database->onServer() ? QDir::home() : QFileInfo(m_database->path()).absoluteDir())
            .filePath(QStringLiteral("clasificacions.pdf"));
    QString path = FileDialog::saveFileName(this, tr("Gardar clasificacións"), suggested,
                                            filters.join(QStringLiteral(";;")), &selected);
    if (path.isEmpty())
        return;
    // The file's own extension decides; without one, the filter chosen does.
    std::optional<publish::Format> format = publish::formatOfFile(path);
    if (!format) {
        const Choice& choice = choices[std::max<qsizetype>(0, filters.indexOf(selected))];
        format = choice.format;
        path += QString::fromLatin1(choice.suffix);
    }
    const Result<publish::Edition> edition =
        publish::currentEdition(*m_database, QDateTime::currentDateTime(), data::StandingsScope{true});
    if (!edition) {
        report(edition.failure());
        return;
    }
    if (Outcome saved = publish::save(*edition, *format, path); !saved)
        report(saved.failure());
}

void FrmIntroRes::printStandings()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(tr("Clasificacións"));
    if (!PrintDialog::exec(printer, this))
        return;
    const Result<publish::Edition> edition =
        publish::currentEdition(*m_database, QDateTime::currentDateTime(), data::StandingsScope{true});
    if (!edition) {
        report(edition.failure());
        return;
    }
    if (!publish::paint(*edition, printer))
        report(Failure::database(Failure::CannotOpenFile, tr("Non se puido imprimir.")));
}

void FrmIntroRes::nudgePoints(int direction)
{
    const std::optional<Result<QString>> nudged = calc::halfPoint(m_ui->puntos->text(), direction);
    if (!nudged)
        return; // not a number: left as it is
    if (!*nudged) {
        report(nudged->failure());
        return;
    }
    m_ui->puntos->setText(**nudged);
}

void FrmIntroRes::convertTime()
{
    const Result<QString> total =
        calc::timeInHundredths(m_ui->min->text(), m_ui->seg->text(), m_ui->cen->text());
    if (!total) {
        report(total.failure());
        return;
    }
    m_ui->totcen->setText(*total);
}

void FrmIntroRes::scoreFina()
{
    const Result<QString> points =
        calc::finaPoints({m_ui->b_min->text(), m_ui->b_seg->text(), m_ui->b_cen->text()},
                         {m_ui->t_min->text(), m_ui->t_seg->text(), m_ui->t_cen->text()});
    if (!points) {
        report(points.failure());
        return;
    }
    showWhole(m_ui->ptos_fina, *points);
}

void FrmIntroRes::setLiveListen(const QHostAddress& address, quint16 port)
{
    m_liveOptions.address = address;
    m_liveOptions.port = port;
}

void FrmIntroRes::publishLive()
{
    if (!m_liveServer) {
        // Where it was told to listen; another free port when that one is taken.
        live::ServeOptions options = m_liveOptions;
        Result<std::unique_ptr<live::LiveServer>> started =
            live::LiveServer::start(m_database->path(), options);
        if (!started) {
            options.port = 0;
            started = live::LiveServer::start(m_database->path(), options);
        }
        if (!started) {
            report(started.failure());
            return;
        }
        m_liveServer = std::move(started).value();
    }
    auto* dialog = new LiveDialog(m_liveServer->addresses(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &LiveDialog::stopRequested, this, [this] { m_liveServer.reset(); });
    dialog->open();
}

void FrmIntroRes::report(const Failure& failure)
{
    MessageBox::critical(this, windowTitle(), failure.message());
}

} // namespace quilvarden::app
