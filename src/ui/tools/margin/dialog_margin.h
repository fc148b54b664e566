#pragma once

#include "ui/tools/datetime/tool_links.h"
#include "ui/widgets/tool_window_keys.h"

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

namespace sumiplex::margin {
class MarginSheet;
enum class Figure;
} // namespace sumiplex::margin

namespace sumiplex::ui {

/// Cost, selling price and margin on the price: whenever two of them are given, the third is
/// worked out, with the profit and the markup on the cost beside them. Modeless; closing it
/// unloads it, and the main window builds a new one for the next opening.
class DialogMargin : public ToolWindow {
    Q_OBJECT
public:
    explicit DialogMargin(ToolLinks links, QWidget* parent = nullptr);
    ~DialogMargin() override;

    /// Puts the current total (its plain form) into the cost box, as a typed cost.
    void prepare(const QString& total);

protected:
private:
    void buildControls();
    void layOutControls();
    void connectControls();
    void edited(margin::Figure box, const QString& text);
    void render();
    void CommandSend_Click();
    void CommandMemo_Click();

    ToolLinks m_links;
    // Held apart: the window's meta-object compiler cannot read the sheet's header.
    std::unique_ptr<margin::MarginSheet> m_sheet;

    QLabel* Label1 = nullptr; // caption of the cost box
    QLineEdit* TextCost = nullptr;
    QLabel* Label2 = nullptr; // caption of the price box
    QLineEdit* TextPrice = nullptr;
    QLabel* Label3 = nullptr; // caption of the rate box
    QLineEdit* TextRate = nullptr;
    QLabel* LabelProfit = nullptr;
    QLabel* LabelMarkup = nullptr;
    QLabel* LabelReason = nullptr; // why the worked-out box stays empty
    QPushButton* CommandSend = nullptr;
    QPushButton* CommandMemo = nullptr;
    QPushButton* OKButton = nullptr;
};

} // namespace sumiplex::ui
