#pragma once

#include "core/print/page.h"
#include "core/print/page_area.h"

#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <functional>
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

/// What a queue says of itself.
struct QueueState {
    bool accepting = true; ///< it takes new documents
    bool stopped = false;  ///< it holds documents instead of printing them
    QString message;       ///< its own words on why; may be empty

    friend bool operator==(const QueueState&, const QueueState&) = default;
};

/// How handing a document to the printer's queue ended.
struct Handover {
    enum class Outcome {
        Queued,    ///< the queue took it and prints it
        Held,      ///< the queue took it but is stopped: it prints once the queue is resumed
        Refused,   ///< the queue takes no documents now; nothing was sent
        Failed,    ///< the document could not be finished or handed over
        Cancelled, ///< the user stopped the hand-over
    };
    Outcome outcome = Outcome::Failed;
    /// Failed: why; Held and Refused: the queue's own words, when it gave any.
    QString reason;
};

/// A document being printed: pages are drawn one by one, then handed over.
class PrintJob {
public:
    virtual ~PrintJob() = default;
    /// The printer the document goes to.
    [[nodiscard]] virtual QString printer() const = 0;
    /// Measures texts in the printer's fonts and resolution.
    [[nodiscard]] virtual const print::TextMeasure& measure() const = 0;
    /// The paper in millimetres, in the document's orientation.
    [[nodiscard]] virtual QSizeF paperMm() const = 0;
    /// How near each edge of the paper the printer can print, in millimetres.
    [[nodiscard]] virtual print::Margins minimumMarginsMm() const = 0;
    /// Draws one page; false once the job has failed (submit() then tells why).
    virtual bool addPage(const print::Page& page) = 0;
    /// Ends the document and hands it to the printer's queue without waiting for the
    /// queue: `done` hears once how that ended, either before submit() returns or later
    /// from the event loop. Destroying the job first stops the hand-over unheard.
    virtual void submit(std::function<void(const Handover&)> done) = 0;
    /// Stops a hand-over still under way: `done` hears Cancelled. Nothing once it has heard.
    virtual void cancel() = 0;
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
    /// The desktop's page set-up dialog for the current printer, with the title, showing
    /// the margins given: the margins confirmed, or nothing when it was cancelled.
    [[nodiscard]] virtual std::optional<print::Margins>
    showPageSetup(QWidget* parent, const QString& title, const print::Margins& margins) = 0;

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
    [[nodiscard]] std::optional<print::Margins>
    showPageSetup(QWidget* parent, const QString& title, const print::Margins& margins) override;
    [[nodiscard]] JobStart startJob(const QString& title, int paperCode,
                                    print::Orientation orientation) override;

private:
    /// The printer's attributes as its queue reports them (name = value), asked once per
    /// printer until the printer is chosen again.
    const std::map<QString, QString>& attributes(const QString& printer);

    QString m_current;
    /// Whether the system's default printer has been looked up: asking CUPS costs the start
    /// a few milliseconds, so it is asked when printing first needs it.
    bool m_defaultTaken = false;
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
        QueueState queue = {};
        /// The hand-over never ends until it is cancelled, as with a queue that does not
        /// answer.
        bool silent = false;
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
    /// The next page set-up dialog is confirmed with these margins; without an answer it
    /// is cancelled.
    void answerPageSetup(print::Margins margins) { m_pageSetupAnswer = margins; }
    /// The margins the last page set-up dialog showed when it opened.
    [[nodiscard]] const std::optional<print::Margins>& pageSetupShown() const {
        return m_pageSetupShown;
    }
    /// Hand-overs under way on silent printers.
    [[nodiscard]] int pendingHandovers() const { return m_pending; }

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
    [[nodiscard]] std::optional<print::Margins>
    showPageSetup(QWidget* parent, const QString& title, const print::Margins& margins) override;
    [[nodiscard]] JobStart startJob(const QString& title, int paperCode,
                                    print::Orientation orientation) override;

private:
    Printer* find(const QString& name);

    QList<Printer> m_printers;
    QString m_current;
    std::vector<Document> m_documents;
    QStringList m_pageSetupTitles;
    int m_driverSettingsShown = 0;
    std::optional<print::Margins> m_pageSetupAnswer;
    std::optional<print::Margins> m_pageSetupShown;
    int m_pending = 0;
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

/// A printer's IPP attributes from `ipptool -tv` output: name to value.
[[nodiscard]] std::map<QString, QString> parseIppAttributes(const QString& output);

/// What a queue's attributes say of it; a queue that says nothing is taken as accepting
/// documents and printing them.
[[nodiscard]] QueueState queueStateOf(const std::map<QString, QString>& attributes);

/// The upper end of an IPP range attribute ("1-9999"), or the value itself.
[[nodiscard]] std::optional<int> rangeUpperBound(const QString& value);

} // namespace sumiplex::platform
