#include "platform/cups_job.h"
#include "platform/cups_tools.h"
#include "platform/printing.h"

#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace sumiplex::platform {

using detail::kToolTimeoutMs;
using detail::printerUri;
using detail::runTool;
using detail::ToolResult;

CupsPrinting::CupsPrinting() = default;

QStringList CupsPrinting::printerNames() {
    return QPrinterInfo::availablePrinterNames();
}

QString CupsPrinting::currentPrinter() {
    // A chosen printer stays chosen even when its queue has gone: printing must then fail
    // with the queue's reason rather than go quietly to another printer. The system's default
    // printer, once asked for, counts as chosen.
    if (!m_defaultTaken) {
        m_defaultTaken = true;
        if (m_current.isEmpty())
            m_current = QPrinterInfo::defaultPrinterName();
    }
    if (!m_current.isEmpty())
        return m_current;
    const QStringList names = printerNames();
    const QString fallback = QPrinterInfo::defaultPrinterName();
    return names.contains(fallback) ? fallback : names.value(0);
}

void CupsPrinting::setCurrentPrinter(const QString& name) {
    m_current = name;
    // Chosen again, the printer is asked afresh: its driver settings may have changed.
    m_attributes.erase(name);
}

const std::map<QString, QString>& CupsPrinting::attributes(const QString& printer) {
    auto it = m_attributes.find(printer);
    if (it != m_attributes.end())
        return it->second;
    const ToolResult answer = runTool(
        QStringLiteral("ipptool"),
        {QStringLiteral("-tv"), printerUri(printer), QStringLiteral("get-printer-attributes.test")},
        kToolTimeoutMs);
    return m_attributes[printer] = parseIppAttributes(answer.output);
}

std::optional<QList<PaperSize>> CupsPrinting::papers(const QString& printer) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(printer);
    if (info.isNull())
        return std::nullopt;
    QList<PaperSize> out;
    for (const QPageSize& size : info.supportedPageSizes())
        out.append(PaperSize{size.windowsId(), size.name(), size.key()});
    if (out.isEmpty())
        return std::nullopt;
    return out;
}

std::optional<int> CupsPrinting::maxCopies(const QString& printer) {
    const auto& values = attributes(printer);
    const auto it = values.find(QStringLiteral("copies-supported"));
    return it == values.end() ? std::nullopt : rangeUpperBound(it->second);
}

int CupsPrinting::paperSource(const QString& printer) {
    const auto& values = attributes(printer);
    const auto it = values.find(QStringLiteral("media-source-default"));
    return it == values.end() ? 0 : binCodeForMediaSource(it->second);
}

int CupsPrinting::currentPaper(const QString& printer) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(printer);
    return info.isNull() ? 0 : info.defaultPageSize().windowsId();
}

QSizeF CupsPrinting::physicalPageTwips(const QString& printer) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(printer);
    if (info.isNull())
        return {};
    return info.defaultPageSize().sizePoints().toSizeF() * 20;
}

bool CupsPrinting::setDefaultPaper(const QString& printer, const PaperSize& paper) {
    if (printer.isEmpty() || paper.key.isEmpty())
        return false;
    // The user's own default for the queue, which every CUPS program reads.
    return runTool(QStringLiteral("lpoptions"),
                   {QStringLiteral("-p"), printer, QStringLiteral("-o"),
                    QStringLiteral("PageSize=") + paper.key},
                   kToolTimeoutMs)
        .ok;
}

bool CupsPrinting::showDriverSettings(QWidget* parent, const QString& printer) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(printer);
    if (info.isNull())
        return false;
    QPrinter device(info, QPrinter::HighResolution);
    QPageSetupDialog dialog(&device, parent);
    if (dialog.exec() == QDialog::Accepted) {
        const QPageSize size = device.pageLayout().pageSize();
        (void)setDefaultPaper(printer, PaperSize{size.windowsId(), size.name(), size.key()});
    }
    m_attributes.erase(printer);
    return true;
}

std::optional<print::Margins> CupsPrinting::showPageSetup(QWidget* parent, const QString& title,
                                                          const print::Margins& margins) {
    QPrinter device(QPrinterInfo::printerInfo(currentPrinter()), QPrinter::HighResolution);
    // Margins below what the printer can reach are shown at its minimum.
    QPageLayout layout = device.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF minimum = layout.minimumMargins();
    const QMarginsF wanted(
        std::max(margins.left, minimum.left()), std::max(margins.top, minimum.top()),
        std::max(margins.right, minimum.right()), std::max(margins.bottom, minimum.bottom()));
    (void)device.setPageMargins(wanted, QPageLayout::Millimeter);
    QPageSetupDialog dialog(&device, parent);
    dialog.setWindowTitle(title);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QMarginsF chosen = device.pageLayout().margins(QPageLayout::Millimeter);
    return print::Margins{chosen.left(), chosen.top(), chosen.right(), chosen.bottom()};
}

JobStart CupsPrinting::startJob(const QString& title, int paperCode,
                                print::Orientation orientation) {
    const QString printer = currentPrinter();
    if (printer.isEmpty())
        return {nullptr, QStringLiteral("no printer is installed")};
    return detail::startCupsJob(printer, title, QPageSize(QPageSize::id(paperCode)), orientation);
}

} // namespace sumiplex::platform
