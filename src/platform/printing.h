#pragma once

#include "core/print/page.h"

#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <optional>
#include <vector>

class QWidget;

namespace sumiplex::platform {

/// One paper size a printer offers.
struct PaperSize {
    int code = 0; ///< the Windows paper code (256 for a size without one)
    QString name; ///< the driver's name for it
    QString key;  ///< the driver's key for it, as its options name it ("A4")

    friend bool operator==(const PaperSize&, const PaperSize&) = default;
};

/// A document being printed: pages are drawn and sent one by one.
class PrintJob {
public:
    virtual ~PrintJob() = default;
    /// Measures texts in the printer's fonts and resolution.
    [[nodiscard]] virtual const print::TextMeasure& measure() const = 0;
    /// The printable area of the page in millimetres.
    [[nodiscard]] virtual QSizeF printableMm() const = 0;
    /// Where the printable area starts on the paper, in millimetres from its corner.
    [[nodiscard]] virtual QPointF printableOriginMm() const = 0;
    /// Draws one page; false once the job has failed (finish() tells why).
    virtual bool addPage(const print::Page& page) = 0;
    /// Ends the document and hands it to the printer: nothing when the printer took it,
    /// else the reason it did not.
    [[nodiscard]] virtual std::optional<QString> finish() = 0;
};

/// Either a started job or the reason none could start.
struct JobStart {
    std::unique_ptr<PrintJob> job;
    QString error;
};

/// The printers of the desktop and printing on them. Printers are named by their queue
/// names; the current printer is the one later printing goes to.
class Printing {
public:
    virtual ~Printing() = default;

    /// The installed printers in the platform's order.
    [[nodiscard]] virtual QStringList printerNames() = 0;
    /// The current printer's name; empty when no printer is installed.
    [[nodiscard]] virtual QString currentPrinter() = 0;
    virtual void setCurrentPrinter(const QString& name) = 0;

    /// The paper sizes the printer offers; nothing when the driver could not be asked or
    /// offers none.
    [[nodiscard]] virtual std::optional<QList<PaperSize>> papers(const QString& printer) = 0;
    /// The most copies the printer makes of one document; nothing when it cannot tell.
    [[nodiscard]] virtual std::optional<int> maxCopies(const QString& printer) = 0;
    /// The paper source (bin) code the printer uses now; 0 when it has none we know.
    [[nodiscard]] virtual int paperSource(const QString& printer) = 0;
    /// The paper code the printer uses now and its physical page in twips.
    [[nodiscard]] virtual int currentPaper(const QString& printer) = 0;
    [[nodiscard]] virtual QSizeF physicalPageTwips(const QString& printer) = 0;
    /// Makes the paper the user's default for the printer, for every program; false when
    /// the printer does not take it.
    virtual bool setDefaultPaper(const QString& printer, const PaperSize& paper) = 0;

    /// The printer's own settings dialog; false when it cannot be shown.
    virtual bool showDriverSettings(QWidget* parent, const QString& printer) = 0;
    /// The desktop's page set-up dialog for the current printer, with the title.
    virtual void showPageSetup(QWidget* parent, const QString& title) = 0;

    /// Starts a document on the current printer on the paper, in the orientation.
    [[nodiscard]] virtual JobStart startJob(const QString& title, int paperCode,
                                            print::Orientation orientation) = 0;
};

/// The desktop's printers through Qt's print support and the CUPS command-line tools.
class CupsPrinting final : public Printing {
public:
    CupsPrinting();

    [[nodiscard]] QStringList printerNames() override;
    [[nodiscard]] QString currentPrinter() override;
    void setCurrentPrinter(const QString& name) override;
    [[nodiscard]] std::optional<QList<PaperSize>> papers(const QString& printer) override;
    [[nodiscard]] std::optional<int> maxCopies(const QString& printer) override;
    [[nodiscard]] int paperSource(const QString& printer) override;
    [[nodiscard]] int currentPaper(const QString& printer) override;
    [[nodiscard]] QSizeF physicalPageTwips(const QString& printer) override;
    bool setDefaultPaper(const QString& printer, const PaperSize& paper) override;
    bool showDriverSettings(QWidget* parent, const QString& printer) override;
    void showPageSetup(QWidget* parent, const QString& title) override;
    [[nodiscard]] JobStart startJob(const QString& title, int paperCode,
                                    print::Orientation orientation) override;

private:
    /// The printer's attributes as its queue reports them (name = value), asked once per
    /// printer until the printer is chosen again.
    const std::map<QString, QString>& attributes(const QString& printer);

    QString m_current;
    std::map<QString, std::map<QString, QString>> m_attributes;
};

/// Printers made up by a test or a script; every document is kept instead of printed.
class FakePrinting final : public Printing {
public:
    struct Printer {
        QString name;
        QList<PaperSize> papers; ///< empty: the driver query fails
        std::optional<int> maxCopies = 9999;
        int paperSource = 7;
        int currentPaper = 9;
        QSizeF pageTwips{11906, 16838}; ///< A4
        bool hasDriverSettings = true;
        /// Set: every document on this printer fails with this reason.
        QString failure;
    };
    struct Document {
        QString printer;
        QString title;
        std::vector<print::Page> pages;
    };

    /// Two printers: an A4 office printer (the current one) and a PDF writer.
    FakePrinting();

    void setPrinters(QList<Printer> printers, int current);
    [[nodiscard]] QList<Printer>& printers() { return m_printers; }
    [[nodiscard]] const std::vector<Document>& documents() const { return m_documents; }
    [[nodiscard]] const QStringList& pageSetupTitles() const { return m_pageSetupTitles; }
    [[nodiscard]] int driverSettingsShown() const { return m_driverSettingsShown; }

    [[nodiscard]] QStringList printerNames() override;
    [[nodiscard]] QString currentPrinter() override;
    void setCurrentPrinter(const QString& name) override;
    [[nodiscard]] std::optional<QList<PaperSize>> papers(const QString& printer) override;
    [[nodiscard]] std::optional<int> maxCopies(const QString& printer) override;
    [[nodiscard]] int paperSource(const QString& printer) override;
    [[nodiscard]] int currentPaper(const QString& printer) override;
    [[nodiscard]] QSizeF physicalPageTwips(const QString& printer) override;
    bool setDefaultPaper(const QString& printer, const PaperSize& paper) override;
    bool showDriverSettings(QWidget* parent, const QString& printer) override;
    void showPageSetup(QWidget* parent, const QString& title) override;
    [[nodiscard]] JobStart startJob(const QString& title, int paperCode,
                                    print::Orientation orientation) override;

private:
    Printer* find(const QString& name);

    QList<Printer> m_printers;
    QString m_current;
    std::vector<Document> m_documents;
    QStringList m_pageSetupTitles;
    int m_driverSettingsShown = 0;
};

/// Fixed text widths for the fake printers: half an em for a narrow character, a whole em
/// for a wide one, lines 1.2 em apart, so what a script prints never depends on the fonts
/// of the machine.
class FixedTextMeasure final : public print::TextMeasure {
public:
    [[nodiscard]] double widthMm(std::u16string_view text,
                                 const print::PageFont& font) const override;
    [[nodiscard]] double lineHeightMm(const print::PageFont& font) const override;
};

/// The bin code for a CUPS media-source keyword; 0 for one without a code.
[[nodiscard]] int binCodeForMediaSource(const QString& keyword);

/// The upper end of an IPP range attribute ("1-9999"), or the value itself.
[[nodiscard]] std::optional<int> rangeUpperBound(const QString& value);

} // namespace sumiplex::platform
