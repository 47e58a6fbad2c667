#pragma once

#include "data/meet.h"
#include "rules/rules.h"
#include "text/failure.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace quilvarden::app {

// The meet's rules as they hold now, for the operator to change: a preset, or the tables,
// caps, tie rules and guests typed. OK keeps them through the store given; a table that does
// not read, or a register that cannot be written, is told and the dialog stays open.
class RulesDialog : public QDialog {
    Q_OBJECT

public:
    using Store = std::function<Outcome(const rules::MeetRules&)>;

    RulesDialog(const rules::MeetRules& current, const QList<data::MeetClub>& clubs, Store store,
                QWidget* parent = nullptr);

    // The rules the fields give, or the fault of a typed table, named.
    Result<rules::MeetRules> rules() const;

    void accept() override;

private:
    void buildFields();
    void fillGuests(const QList<data::MeetClub>& clubs, const QStringList& guests);
    // The fields show these rules (the guests apart, which no preset changes).
    void showRules(const rules::MeetRules& shown);
    void pickPreset(int index);
    QString nameOf(const rules::MeetRules& chosen) const;

    Store m_store;
    QComboBox* m_presets = nullptr;
    QLineEdit* m_individual = nullptr;
    QComboBox* m_after = nullptr;
    QComboBox* m_relayKind = nullptr;
    QLineEdit* m_relay = nullptr;
    QSpinBox* m_individualScorers = nullptr;
    QSpinBox* m_relayScorers = nullptr;
    QComboBox* m_ties = nullptr;
    QComboBox* m_equalTotals = nullptr;
    QComboBox* m_ranking = nullptr;
    QListWidget* m_guests = nullptr;
};

} // namespace quilvarden::app
