#include "core/tools/units/unit_dialog.h"

#include "core/engine/currency.h"

namespace sumiplex::units {

namespace {

constexpr std::u16string_view kCrLf = u"\r\n";
constexpr std::u16string_view kTapeIndent = u"      ";
constexpr std::u16string_view kError = u"Error";
constexpr std::array<Kind, kKindCount> kKinds{Kind::Length, Kind::Mass, Kind::Volume};

bool showsResult(const PanelView& panel) {
    return !panel.result.empty() && panel.result != kError;
}

} // namespace

void UnitDialog::load(std::u16string placeText, double exchangeRate) {
    m_view.text6 = std::move(placeText);
    for (const Kind kind : kKinds) {
        sourceChosen(kind, 1);
        targetChosen(kind, 1);
    }
    m_view.text5 = engine::plainRateText(exchangeRate);
}

void UnitDialog::takeTotal(const Decimal& total) {
    if (total.isZero())
        return;
    const std::u16string text = total.toPlainString();
    // A box whose text does not change raises no change of its own.
    for (const Kind kind : kKinds)
        if (panel(kind).quantity != text)
            quantityChanged(kind, text);
    setText7(text);
}

void UnitDialog::quantityChanged(Kind kind, std::u16string text) {
    panel(kind).quantity = std::move(text);
    setText7(panel(kind).quantity);
    convert(kind);
}

void UnitDialog::sourceChosen(Kind kind, int position) {
    panel(kind).source = position;
    convert(kind);
}

void UnitDialog::targetChosen(Kind kind, int position) {
    panel(kind).target = position;
    convert(kind);
}

void UnitDialog::convert(Kind kind) {
    PanelView& p = panel(kind);
    if (p.quantity.empty() || p.source == 0 || p.target == 0) {
        p.result.clear();
        p.memoVisible = false;
        m_convResult = Decimal{};
        // Without a converted quantity there is no unit price either.
        RecalcUnitPrice();
        return;
    }
    const auto converted = convertQuantity(kind, p.quantity, p.source, p.target);
    if (!converted) {
        // Shown even on a panel that is not the active one, so bad input never goes
        // unanswered; the active kind and its figures stay as they were.
        p.result = kError;
        p.resultVisible = true;
        p.memoVisible = false;
        return;
    }
    m_convResult = converted->value;
    p.result = converted->line;
    m_activeKind = static_cast<int>(kind);
    const auto units = unitsOf(kind);
    m_view.label4 = u"Unit Price 1 ";
    m_view.label4 += units[static_cast<std::size_t>(p.source - 1)].symbol;
    RecalcUnitPrice();
    for (const Kind other : kKinds) {
        panel(other).resultVisible = other == kind;
        panel(other).memoVisible = other == kind;
    }
    m_view.label9 = units[static_cast<std::size_t>(p.target - 1)].name;
}

void UnitDialog::setText7(std::u16string text) {
    if (text == m_view.text7)
        return;
    qtyChanged(std::move(text));
}

void UnitDialog::priceChanged(std::u16string text) {
    m_view.text4 = std::move(text);
    RecalcUnitPrice();
}

void UnitDialog::rateChanged(std::u16string text) {
    m_view.text5 = std::move(text);
}

void UnitDialog::placeChanged(std::u16string text) {
    m_view.text6 = std::move(text);
}

void UnitDialog::qtyChanged(std::u16string text) {
    m_view.text7 = std::move(text);
    if (!m_view.text7.empty())
        RecalcUnitPrice();
}

void UnitDialog::recomputeUnitPrice() {
    RecalcUnitPrice();
}

std::optional<Kind> UnitDialog::active() const {
    if (m_activeKind < 1 || m_activeKind > kKindCount)
        return std::nullopt;
    return static_cast<Kind>(m_activeKind);
}

std::optional<double> UnitDialog::activeFactor() const {
    const auto kind = active();
    if (!kind)
        return std::nullopt;
    const PanelView& p = m_view.panels[static_cast<std::size_t>(*kind) - 1];
    return unitFactor(*kind, p.source, p.target);
}

std::u16string_view UnitDialog::activeTargetName() const {
    const auto kind = active();
    if (!kind)
        return {};
    const PanelView& p = m_view.panels[static_cast<std::size_t>(*kind) - 1];
    const auto units = unitsOf(*kind);
    if (p.target < 1 || p.target > static_cast<int>(units.size()))
        return {};
    return units[static_cast<std::size_t>(p.target - 1)].name;
}

void UnitDialog::clearPriceLines() {
    m_unitPrice = Decimal{};
    m_undoPrice = Decimal{};
    m_currency = Currency::None;
    m_view.label5.clear();
    m_view.label8.clear();
    m_view.command2Visible = false;
    m_view.command8Visible = false;
}

void UnitDialog::RecalcUnitPrice() {
    if (m_view.text4.empty() || m_convResult.isZero()) {
        m_unitPrice = Decimal{};
        m_view.label5.clear();
        m_view.label8.clear();
        m_view.command2Visible = false;
        m_undoPrice = Decimal{};
        m_currency = Currency::None;
        return;
    }
    if (active()) {
        const auto factor = activeFactor();
        const auto quantity = quantityValue(m_view.text7);
        const auto typed = quantityText(m_view.text7);
        const auto unitPrice =
            factor ? unitPriceOf(m_view.text4, *factor, Currency::None, {}) : std::nullopt;
        const auto amount = unitPrice && quantity ? unitPrice->mul(*quantity) : std::nullopt;
        if (!amount || !typed) {
            clearPriceLines();
            m_view.placeEditorVisible = false;
            return;
        }
        m_unitPrice = *unitPrice;
        m_amountValue = *amount;
        m_currency = Currency::None;
        const auto name = activeTargetName();
        m_view.label5 =
            unitPriceLine(name, m_unitPrice, Currency::None, PriceLineSource::Conversion);
        m_view.label8 = quantityLine(*typed, name, m_unitPrice, m_amountValue, Currency::None);
    }
    m_view.command2Visible = true;
    m_view.command8Visible = true;
    m_view.placeEditorVisible = false;
    m_undoPrice = Decimal{}; // a new unit price ends any rounding run
}

void UnitDialog::unitPriceToYen() {
    convertCurrency(Currency::Yen);
}

void UnitDialog::unitPriceToDollars() {
    convertCurrency(Currency::Dollar);
}

void UnitDialog::convertCurrency(Currency currency) {
    if (active()) {
        const auto factor = activeFactor();
        const auto quantity = quantityValue(m_view.text7);
        const auto typed = quantityText(m_view.text7);
        const auto unitPrice =
            factor ? unitPriceOf(m_view.text4, *factor, currency, m_view.text5) : std::nullopt;
        const auto amount = unitPrice && quantity ? unitPrice->mul(*quantity) : std::nullopt;
        if (!amount || !typed) {
            clearPriceLines();
            return;
        }
        m_unitPrice = *unitPrice;
        m_amountValue = *amount;
        m_currency = currency;
        const auto name = activeTargetName();
        m_view.label5 = unitPriceLine(name, m_unitPrice, currency, PriceLineSource::Conversion);
        m_view.label8 = quantityLine(*typed, name, m_unitPrice, m_amountValue, currency);
    }
    m_undoPrice = Decimal{};
    m_view.command2Visible = true;
    m_view.command8Visible = true;
}

void UnitDialog::roundUnitPrice(engine::RoundMode mode) {
    // With no unit-price line there is nothing to round: 0 would be written as a price.
    if (m_view.label5.empty())
        return;
    if (m_undoPrice.isZero())
        m_undoPrice = m_unitPrice;
    const int shift = engine::roundingShift(m_view.text6);
    if (const auto rounded = engine::roundAtShift(m_undoPrice, shift, mode))
        m_unitPrice = *rounded;
    if (active())
        writeRoundedLines();
}

void UnitDialog::undoRounding() {
    if (m_undoPrice.isZero())
        return;
    m_unitPrice = m_undoPrice;
    if (active())
        writeRoundedLines();
    if (!m_view.label5.empty()) {
        m_view.command2Visible = true;
        m_view.command8Visible = true;
    }
}

// The Q'TY line follows the price it shows: the amount is worked out again from the
// quantity, and the line keeps the currency of the unit-price line.
void UnitDialog::writeRoundedLines() {
    const auto quantity = quantityValue(m_view.text7);
    const auto typed = quantityText(m_view.text7);
    const auto amount = quantity ? m_unitPrice.mul(*quantity) : std::nullopt;
    if (!amount || !typed) {
        clearPriceLines();
        return;
    }
    m_amountValue = *amount;
    const auto name = activeTargetName();
    m_view.label5 = unitPriceLine(name, m_unitPrice, m_currency, PriceLineSource::Rounding);
    m_view.label8 = quantityLine(*typed, name, m_unitPrice, m_amountValue, m_currency);
}

void UnitDialog::showPlaceEditor() {
    m_view.placeEditorVisible = true;
    m_focus = FocusRequest::Text6;
}

bool UnitDialog::priceLinePressed(bool rightButton) {
    m_view.placeEditorVisible = false;
    return rightButton;
}

std::optional<SentResult> UnitDialog::resultLineClick(Kind kind) {
    const PanelView& p = panel(kind);
    // Only the line of the last conversion stands for the converted value.
    if (!showsResult(p) || static_cast<int>(kind) != m_activeKind)
        return std::nullopt;
    SentResult sent;
    sent.tapeBefore.append(kTapeIndent).append(p.result).append(kCrLf);
    sent.inputLine = m_convResult.toPlainString();
    return sent;
}

std::optional<SentResult> UnitDialog::unitPriceLineClick() {
    if (m_view.label5.empty())
        return std::nullopt;
    SentResult sent;
    sent.tapeBefore.append(kTapeIndent).append(u"Unit Price ").append(m_view.text4).append(kCrLf);
    sent.tapeBefore.append(kTapeIndent).append(m_view.label5).append(kCrLf);
    if (m_currency != Currency::None)
        sent.tapeBefore.append(kTapeIndent).append(u"1 USD ").append(m_view.text5).append(kCrLf);
    else
        sent.tapeAfter = kCrLf;
    sent.inputLine = m_unitPrice.toPlainString();
    return sent;
}

std::optional<SentResult> UnitDialog::qtyLineClick() {
    if (m_view.label8.empty())
        return std::nullopt;
    SentResult sent;
    sent.tapeBefore.append(kTapeIndent).append(m_view.label8).append(kCrLf);
    if (m_currency != Currency::None)
        sent.tapeBefore.append(kTapeIndent).append(u"1 USD ").append(m_view.text5).append(kCrLf);
    else
        sent.tapeAfter = kCrLf;
    sent.inputLine = formatPattern(m_amountValue, kPatternLong);
    return sent;
}

std::optional<std::u16string> UnitDialog::resultLineMemo(Kind kind) {
    PanelView& p = panel(kind);
    if (!showsResult(p))
        return std::nullopt;
    p.memoVisible = false;
    m_focus = FocusRequest::OKButton;
    std::u16string memo = p.result;
    memo.append(kCrLf).append(kCrLf);
    return memo;
}

std::optional<std::u16string> UnitDialog::unitPriceLineMemo() {
    if (m_view.label5.empty())
        return std::nullopt;
    std::u16string memo = m_view.label4;
    memo.append(u"  ").append(m_view.text4);
    if (m_currency != Currency::None)
        memo.append(u"  ").append(m_view.text5);
    memo.append(kCrLf).append(m_view.label5).append(kCrLf).append(kCrLf);
    m_view.command2Visible = false;
    m_focus = FocusRequest::OKButton;
    return memo;
}

std::optional<std::u16string> UnitDialog::qtyLineMemo() {
    if (m_view.label8.empty())
        return std::nullopt;
    std::u16string memo = m_view.label8;
    memo.append(kCrLf).append(kCrLf);
    m_view.command8Visible = false;
    m_focus = FocusRequest::OKButton;
    return memo;
}

FocusRequest UnitDialog::takeFocusRequest() {
    const FocusRequest request = m_focus;
    m_focus = FocusRequest::None;
    return request;
}

} // namespace sumiplex::units
