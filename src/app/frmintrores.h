#pragma once

#include "data/database.h"
#include "text/failure.h"

#include <QWidget>

#include <memory>

namespace Ui {
class frmIntroRes;
}

namespace quilvarden::app {

// The results-entry window: every control of the scoring table in its fixed place.
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

private:
    // The one place where a failed operation is shown to the operator. The operation has
    // stopped where it failed; the program goes on.
    void report(const Failure& failure);

    std::unique_ptr<Ui::frmIntroRes> m_ui;
    std::unique_ptr<data::Database> m_database;
};

} // namespace quilvarden::app
