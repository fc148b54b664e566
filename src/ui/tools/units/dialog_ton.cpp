#include "ui/tools/units/dialog_ton.h"
#include "ui/widgets/accessible_names.h"

#include "core/tools/units/unit_dialog.h"

#include "core/engine/engine.h"
#include "core/engine/tape.h"
#include "platform/settings_keys.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/mainwindow/frm_tip3.h"
#include "ui/widgets/clickable_label.h"
#include "ui/widgets/widget_helpers.h"

#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>

namespace sumiplex::ui {

namespace {

using units::Kind;

QString qs(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

void setTextIfChanged(QLabel* label, const std::u16string& text) {
    const QString value = qs(text);
    if (label->text() != value)
        label->setText(value);
}

void setTextIfChanged(QLineEdit* edit, const std::u16string& text) {
    const QString value = qs(text);
    if (edit->text() == value)
        return;
    const QSignalBlocker blocker(edit);
    edit->setText(value);
}

void setShown(QWidget* widget, bool shown) {
    if (widget->isHidden() == shown)
        widget->setVisible(shown);
}

void setCurrent(QComboBox* combo, int position) {
    if (combo->currentIndex() == position - 1)
        return;
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(position - 1);
}

} // namespace

DialogTon::DialogTon(platform::SettingsStore& settings, frmMain& main)
    : ToolWindow(settings,
                 {platform::kDlgTonLeftRead, platform::kDlgTonTop, &platform::kDlgTonLeftWrite},
                 Closing::Unloads),
      m_settings(settings), m_main(main), m_model(std::make_unique<units::UnitDialog>()) {
    setObjectName(QStringLiteral("DialogTon"));
    setWindowTitle(QStringLiteral("単位換算"));
    setAttribute(Qt::WA_DeleteOnClose);

    buildControls();
    nameForScreenReaders(*this, {{"Text1", "長さ", "換算する長さ"},
                                 {"Combo1", "長さの換算前の単位"},
                                 {"Combo2", "長さの換算後の単位"},
                                 {"Text2", "質量", "換算する質量"},
                                 {"Combo3", "質量の換算前の単位"},
                                 {"Combo4", "質量の換算後の単位"},
                                 {"Text3", "体積", "換算する体積"},
                                 {"Combo5", "体積の換算前の単位"},
                                 {"Combo6", "体積の換算後の単位"},
                                 {"Text4", "単価", "換算する単価"},
                                 {"Text5", "為替レート", "1ドルあたりの円"},
                                 {"Text6", "端数処理の位"},
                                 {"Text7", "数量"},
                                 {"Command5", "メモ帳に貼り付け"},
                                 {"OKButton", "閉じる"}});
    describeForScreenReaders(*this, {{"Label1", "長さの換算結果", "クリックで入力欄へ"},
                                     {"Label2", "質量の換算結果", "クリックで入力欄へ"},
                                     {"Label3", "体積の換算結果", "クリックで入力欄へ"},
                                     {"Label4", "単価の単位"},
                                     {"Label5", "換算した単価"},
                                     {"Label8", "数量と単価の金額"},
                                     {"Label9", "金額"}});
    for (int i = 0; i < units::kKindCount; ++i) {
        const auto unitList = units::unitsOf(static_cast<Kind>(i + 1));
        for (const units::Unit& unit : unitList) {
            m_panels[static_cast<std::size_t>(i)].source->addItem(
                QString::fromUtf16(unit.symbol.data(), static_cast<qsizetype>(unit.symbol.size())));
            m_panels[static_cast<std::size_t>(i)].target->addItem(
                QString::fromUtf16(unit.name.data(), static_cast<qsizetype>(unit.name.size())));
        }
        // Nothing is selected until loading chooses the first units.
        m_panels[static_cast<std::size_t>(i)].source->setCurrentIndex(-1);
        m_panels[static_cast<std::size_t>(i)].target->setCurrentIndex(-1);
    }
    connectControls();

    // Form_Load
    adjustSize();
    restorePosition();
    m_model->load(platform::readSetting(m_settings, platform::kRoundT).toStdU16String(),
                  m_main.engine().exchangeRate());
    render();
}

DialogTon::~DialogTon() = default;

void DialogTon::connectControls() {
    for (const Kind kind : {Kind::Length, Kind::Mass, Kind::Volume})
        connectPanel(kind);

    const auto onText = [this](QLineEdit* edit,
                               void (units::UnitDialog::*handler)(std::u16string)) {
        connect(edit, &QLineEdit::textChanged, this, [this, handler](const QString& text) {
            (m_model.get()->*handler)(text.toStdU16String());
            render();
        });
    };
    onText(Text4, &units::UnitDialog::priceChanged);
    onText(Text5, &units::UnitDialog::rateChanged);
    onText(Text6, &units::UnitDialog::placeChanged);
    onText(Text7, &units::UnitDialog::qtyChanged);

    const auto onClick = [this](QPushButton* b, auto handler) {
        connect(b, &QPushButton::clicked, this, [this, handler] {
            handler();
            render();
        });
    };
    onClick(Command1, [this] { m_model->recomputeUnitPrice(); });
    onClick(Command6, [this] { m_model->unitPriceToYen(); });
    onClick(Command7, [this] { m_model->unitPriceToDollars(); });
    onClick(Command2, [this] { pasteToMemo(m_model->unitPriceLineMemo()); });
    onClick(Command8, [this] { pasteToMemo(m_model->qtyLineMemo()); });
    connect(OKButton, &QPushButton::clicked, this, &QWidget::hide);

    connect(Label5, &ClickableLabel::pressed, this, &DialogTon::priceLabelMouseDown);
    connect(Label7, &ClickableLabel::pressed, this, &DialogTon::priceLabelMouseDown);
    connect(Label5, &ClickableLabel::clicked, this,
            [this] { sendToMain(m_model->unitPriceLineClick()); });
    connect(Label8, &ClickableLabel::clicked, this,
            [this] { sendToMain(m_model->qtyLineClick()); });

    const auto onMenu = [this](QAction* action, auto handler) {
        connect(action, &QAction::triggered, this, [this, handler] {
            handler();
            render();
        });
    };
    using engine::RoundMode;
    onMenu(mnuPopFix, [this] { m_model->roundUnitPrice(RoundMode::Down); });
    onMenu(mnuPopU, [this] { m_model->roundUnitPrice(RoundMode::Up); });
    onMenu(mnuPopB, [this] { m_model->roundUnitPrice(RoundMode::HalfAwayFromZero); });
    onMenu(mnuPopUndo, [this] { m_model->undoRounding(); });
    onMenu(mnuPopDcl, [this] { m_model->showPlaceEditor(); });

    // Enter moves on like Tab in every control of the window.
    for (QWidget* child : findChildren<QWidget*>())
        if (child->focusPolicy() != Qt::NoFocus)
            child->installEventFilter(this);
}

void DialogTon::connectPanel(Kind kind) {
    // A user's choice converts even when it picks the unit already shown.
    const Panel& p = m_panels[static_cast<std::size_t>(kind) - 1];
    connect(p.quantity, &QLineEdit::textChanged, this, [this, kind](const QString& text) {
        m_model->quantityChanged(kind, text.toStdU16String());
        render();
    });
    connect(p.source, &QComboBox::activated, this, [this, kind](int index) {
        m_model->sourceChosen(kind, index + 1);
        render();
    });
    connect(p.target, &QComboBox::activated, this, [this, kind](int index) {
        m_model->targetChosen(kind, index + 1);
        render();
    });
    connect(p.result, &ClickableLabel::clicked, this,
            [this, kind] { sendToMain(m_model->resultLineClick(kind)); });
    connect(p.memo, &QPushButton::clicked, this, [this, kind] {
        pasteToMemo(m_model->resultLineMemo(kind));
        render();
    });
}

void DialogTon::takeTotal(const Decimal& total) {
    m_model->takeTotal(total);
    render();
}

void DialogTon::priceLabelMouseDown(Qt::MouseButton button) {
    const bool popup = m_model->priceLinePressed(button == Qt::RightButton);
    render();
    if (popup)
        mnuPopup->popup(QCursor::pos()); // non-blocking: the chosen item arrives as its own event
}

void DialogTon::sendToMain(const std::optional<units::SentResult>& sent) {
    if (!sent)
        return;
    engine::Tape& tape = m_main.tape();
    tape.recordTool(sent->tapeBefore);
    m_main.takeToolResult(qs(sent->inputLine));
    if (!sent->tapeAfter.empty())
        tape.recordTool(sent->tapeAfter);
}

void DialogTon::pasteToMemo(const std::optional<std::u16string>& text) {
    if (!text)
        return;
    frmTip3& memo = m_main.memoPad();
    // The piece ends with its own CR LF, which the memo pad adds itself.
    QString piece = qs(*text);
    piece.chop(2);
    memo.appendMemo(piece);
    memo.caretToEnd();
    memo.show();
    memo.raise();
}

void DialogTon::render() {
    const units::UnitView& v = m_model->view();
    for (std::size_t i = 0; i < m_panels.size(); ++i)
        renderPanel(m_panels[i], v.panels[i]);
    setTextIfChanged(Label4, v.label4);
    setTextIfChanged(Text4, v.text4);
    setTextIfChanged(Text5, v.text5);
    setTextIfChanged(Text6, v.text6);
    setTextIfChanged(Text7, v.text7);
    setTextIfChanged(Label5, v.label5);
    setTextIfChanged(Label8, v.label8);
    setTextIfChanged(Label9, v.label9);
    setShown(Command2, v.command2Visible);
    setShown(Command8, v.command8Visible);
    setShown(Label7, v.placeEditorVisible);
    mnuPopUndo->setEnabled(m_model->undoEnabled());

    switch (m_model->takeFocusRequest()) {
    case units::FocusRequest::Text6:
        Text6->setCursorPosition(static_cast<int>(Text6->text().size()));
        Text6->setFocus();
        break;
    case units::FocusRequest::OKButton:
        OKButton->setFocus();
        break;
    case units::FocusRequest::None:
        break;
    }
}

void DialogTon::renderPanel(const Panel& panel, const units::PanelView& view) {
    setTextIfChanged(panel.quantity, view.quantity);
    setCurrent(panel.source, view.source);
    setCurrent(panel.target, view.target);
    setTextIfChanged(panel.result, view.result);
    setShown(panel.result, view.resultVisible);
    setShown(panel.memo, view.memoVisible);
}

bool DialogTon::eventFilter(QObject* watched, QEvent* event) {
    // A list's open drop-down is a window of its own, where Enter picks the item.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (isEnterPress(event) && widget && widget->window() == this) {
        focusNextChild();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void DialogTon::storeOnClose() {
    m_settings.write(platform::kRoundT, Text6->text());
}

} // namespace sumiplex::ui
