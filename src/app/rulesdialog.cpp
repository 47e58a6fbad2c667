#include "rulesdialog.h"

#include "app/messagebox.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quilvarden::app {

namespace {

// A table as the operator types it: "19 16 14 13", halves with a comma.
QString typedTable(const QList<double>& points)
{
    return rules::tableText(points).replace(u'-', u' ');
}

template <typename T> T* named(T* control, const char* name)
{
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

} // namespace

RulesDialog::RulesDialog(const rules::MeetRules& current, const QList<data::MeetClub>& clubs, Store store,
                         QWidget* parent)
    : QDialog(parent), m_store(std::move(store))
{
    setObjectName(QStringLiteral("dlgRegras"));
    setWindowTitle(tr("Regras do campionato"));
    buildFields();
    fillGuests(clubs, current.guests);
    showRules(current);
    m_presets->setCurrentIndex(int(rules::presetNames().indexOf(current.name)));
    connect(m_presets, &QComboBox::activated, this, &RulesDialog::pickPreset);
    connect(m_presets, &QComboBox::currentIndexChanged, this, &RulesDialog::pickPreset);
}

void RulesDialog::buildFields()
{
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    const auto row = [&](const QString& label, QWidget* field) {
        auto* caption = new QLabel(label, this);
        caption->setBuddy(field);
        form->addRow(caption, field);
    };
    m_presets = named(new QComboBox(this), "presets");
    m_presets->addItems(rules::presetNames());
    row(tr("&Regras predefinidas:"), m_presets);
    m_individual = named(new QLineEdit(this), "taboaIndividual");
    m_individual->setPlaceholderText(tr("19 16 14 13"));
    row(tr("Táboa &individual:"), m_individual);
    m_after = named(new QComboBox(this), "despois");
    m_after->addItems({tr("Segue baixando polo último salto, ata 0"), tr("0 puntos")});
    row(tr("&Despois da táboa:"), m_after);
    m_relayKind = named(new QComboBox(this), "remudas");
    m_relayKind->addItems({tr("O dobre da individual"), tr("Táboa propia")});
    row(tr("Re&mudas:"), m_relayKind);
    m_relay = named(new QLineEdit(this), "taboaRemudas");
    m_relay->setPlaceholderText(tr("38 32 28 26"));
    row(tr("&Táboa das remudas:"), m_relay);
    connect(m_relayKind, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_relay->setEnabled(index == 1); });
    const auto cap = [this](const char* name) {
        auto* spin = named(new QSpinBox(this), name);
        spin->setRange(0, 99);
        spin->setSpecialValueText(tr("todas"));
        return spin;
    };
    m_individualScorers = cap("puntuanIndividual");
    row(tr("Puntúan por club nunha &proba individual:"), m_individualScorers);
    m_relayScorers = cap("puntuanRemudas");
    row(tr("Puntúan por club nunha rem&uda:"), m_relayScorers);
    m_ties = named(new QComboBox(this), "empates");
    m_ties->addItems(
        {tr("Repártense os puntos dos postos que ocupan"), tr("Cada un leva os puntos do mellor posto")});
    row(tr("&Empates nunha proba:"), m_ties);
    m_equalTotals = named(new QComboBox(this), "igualdades");
    m_equalTotals->addItems({tr("Postos consecutivos"), tr("O mesmo posto")});
    row(tr("Igua&ldade de puntos na clasificación:"), m_equalTotals);
    m_ranking = named(new QComboBox(this), "clasificacionPuntuada");
    m_ranking->addItems({tr("As das categorías (idades, clases)"), tr("A absoluta")});
    row(tr("Probas con clasificación absoluta e por categorías: puntúan &as"), m_ranking);
    m_guests = named(new QListWidget(this), "convidados");
    m_guests->setMinimumHeight(120);
    row(tr("Clubs &convidados (non puntúan):"), m_guests);

    auto* note =
        new QLabel(tr("As marcas xa gardadas conservan os seus puntos: as regras novas valen para as "
                      "que se engadan despois."),
                   this);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Gardar"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancelar"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void RulesDialog::fillGuests(const QList<data::MeetClub>& clubs, const QStringList& guests)
{
    QStringList listed;
    const auto add = [&](const QString& code, const QString& name) {
        auto* item = new QListWidgetItem(
            name.isEmpty() || name == code ? code : tr("%1 (%2)").arg(name, code), m_guests);
        item->setData(Qt::UserRole, code);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(rules::isGuestName(guests, code) ? Qt::Checked : Qt::Unchecked);
        listed << code;
    };
    for (const data::MeetClub& club : clubs)
        if (club.takesPart && !club.code.isNull() && !rules::isGuestName(listed, club.code.toString()))
            add(club.code.toString().trimmed(), club.shortName.toString().trimmed());
    // Guests of the rules that the register's clubs no longer name are kept.
    for (const QString& guest : guests)
        if (!rules::isGuestName(listed, guest))
            add(guest, {});
}

void RulesDialog::showRules(const rules::MeetRules& shown)
{
    m_individual->setText(typedTable(shown.individual));
    m_after->setCurrentIndex(shown.after == rules::After::Step ? 0 : 1);
    m_relayKind->setCurrentIndex(shown.relay ? 1 : 0);
    m_relay->setText(shown.relay ? typedTable(*shown.relay) : QString());
    m_relay->setEnabled(shown.relay.has_value());
    m_individualScorers->setValue(shown.individualScorers);
    m_relayScorers->setValue(shown.relayScorers);
    m_ties->setCurrentIndex(shown.ties == rules::Ties::Share ? 0 : 1);
    m_equalTotals->setCurrentIndex(shown.equalTotals == rules::EqualTotals::Consecutive ? 0 : 1);
    m_ranking->setCurrentIndex(shown.ranking == rules::Ranking::Categories ? 0 : 1);
}

void RulesDialog::pickPreset(int index)
{
    if (const std::optional<rules::MeetRules> picked = rules::preset(m_presets->itemText(index)))
        showRules(*picked);
}

QString RulesDialog::nameOf(const rules::MeetRules& chosen) const
{
    // A preset keeps its name while its points are as it gives them.
    if (const std::optional<rules::MeetRules> picked = rules::preset(m_presets->currentText()))
        if (picked->individual == chosen.individual && picked->after == chosen.after &&
            picked->relay == chosen.relay)
            return picked->name;
    return rules::tableText(chosen.individual);
}

Result<rules::MeetRules> RulesDialog::rules() const
{
    rules::MeetRules chosen;
    const Result<QList<double>> individual = rules::readTable(m_individual->text(), tr("A táboa individual"));
    if (!individual)
        return individual.failure();
    chosen.individual = *individual;
    chosen.after = m_after->currentIndex() == 0 ? rules::After::Step : rules::After::Zero;
    if (m_relayKind->currentIndex() == 1) {
        const Result<QList<double>> relay = rules::readTable(m_relay->text(), tr("A táboa das remudas"));
        if (!relay)
            return relay.failure();
        chosen.relay = *relay;
    }
    chosen.individualScorers = m_individualScorers->value();
    chosen.relayScorers = m_relayScorers->value();
    chosen.ties = m_ties->currentIndex() == 0 ? rules::Ties::Share : rules::Ties::Full;
    chosen.equalTotals =
        m_equalTotals->currentIndex() == 0 ? rules::EqualTotals::Consecutive : rules::EqualTotals::Shared;
    chosen.ranking = m_ranking->currentIndex() == 0 ? rules::Ranking::Categories : rules::Ranking::Open;
    for (int i = 0; i < m_guests->count(); ++i)
        if (m_guests->item(i)->checkState() == Qt::Checked)
            chosen.guests << m_guests->item(i)->data(Qt::UserRole).toString();
    chosen.name = nameOf(chosen);
    return chosen;
}

void RulesDialog::accept()
{
    const Result<rules::MeetRules> chosen = rules();
    if (!chosen) {
        MessageBox::critical(this, windowTitle(), tr("%1\nNon se gardou nada.").arg(chosen.failure().detail));
        return;
    }
    if (Outcome stored = m_store(*chosen); !stored) {
        MessageBox::critical(this, windowTitle(), stored.failure().message());
        return;
    }
    QDialog::accept();
}

} // namespace quilvarden::app
