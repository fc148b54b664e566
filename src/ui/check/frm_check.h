#pragma once

#include "core/engine/correction.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace sumiplex::engine {
class CheckSession;
class Engine;
} // namespace sumiplex::engine

namespace sumiplex::ui {

/// 検算: a calculation keyed again in the main window's input line, each step compared
/// with the recorded one as it is completed.
class frmCheck : public QWidget {
    Q_OBJECT
public:
    struct Links {
        /// The main window shows the engine being keyed again (it changed without a key).
        std::function<void()> render;
        /// A line for the main tape (the check's outcome, with its line end).
        std::function<void(std::u16string)> writeTapeLine;
        /// Makes the checked steps the current calculation; empty for a calculation that is
        /// not the current one (an earlier tape's).
        std::function<void(std::span<const engine::CorrectionRow>)> apply;
    };

    frmCheck(std::vector<engine::TapeEntry> steps, engine::CalculationStart start, Links links,
             QWidget* parent = nullptr);
    ~frmCheck() override;

    frmCheck(const frmCheck&) = delete;
    frmCheck& operator=(const frmCheck&) = delete;

    /// The engine the main input line keys while the check is open; null once it is closed.
    [[nodiscard]] engine::Engine* checkingEngine();
    /// Compares the steps completed in the main window since the last call.
    void takeKeyed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CommandKeepRecorded_Click();
    void CommandTakeTyped_Click();
    void CommandApply_Click();
    void finished();
    void refresh();

    std::unique_ptr<engine::CheckSession> m_session;
    Links m_links;
    bool m_outcomeWritten = false;

    QTableWidget* GridCheck = nullptr;
    QLabel* LabelCheck = nullptr;
    QPushButton* CommandKeepRecorded = nullptr;
    QPushButton* CommandTakeTyped = nullptr;
    QPushButton* CommandApply = nullptr;
};

} // namespace sumiplex::ui
