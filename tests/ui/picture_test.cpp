#include "platform/dialogs.h"
#include "platform/shell.h"
#include "ui/mainwindow/fake_services.h"
#include "ui/mainwindow/frm_main.h"
#include "ui/picture/picture_file.h"
#include "ui/picture/picture_list.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <optional>

using sumiplex::platform::FakeFileDialogs;
using sumiplex::platform::FakeMessageBoxes;
using sumiplex::platform::FakeShell;
using sumiplex::platform::MessageIcon;
using sumiplex::ui::FakeServices;
using sumiplex::ui::frmMain;
using sumiplex::ui::PictureList;
using sumiplex::ui::PictureStatus;

namespace {

void makeParent(const QString& path) {
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
}

void writeImage(const QString& path, const char* format, QSize size = {40, 30}) {
    makeParent(path);
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(30, 90, 200));
    QVERIFY2(image.save(path, format), qPrintable(path));
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    makeParent(path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QStringList relativeTo(const QTemporaryDir& root, const QStringList& paths) {
    QStringList relative;
    for (const QString& path : paths) {
        relative.append(QDir(root.path()).relativeFilePath(path));
    }
    return relative;
}

// A tree with matches in every letter case and at two depths, a folder whose name sorts
// before the root's own files, and names that only look like matches.
void buildPictureTree(const QTemporaryDir& root) {
    const QString r = root.path();
    writeImage(r + "/b.jpg", "JPG");
    writeImage(r + "/A.JPG", "JPG");
    writeBytes(r + "/notes.txt", "not a picture");
    writeImage(r + "/photo.jpeg", "JPG");
    writeImage(r + "/aaa/z.jpg", "JPG");
    writeImage(r + "/sub/y.jpg", "JPG");
    writeImage(r + "/sub/deep/C.Jpg", "JPG");
    writeBytes(r + "/sub/deep/jpg", "a name without the dot");
}

const QStringList kTreeOrder = {"A.JPG", "b.jpg", "aaa/z.jpg", "sub/y.jpg", "sub/deep/C.Jpg"};

enum class Answer { Cancel, Jpeg, Text, Missing };

} // namespace

Q_DECLARE_METATYPE(Answer)
Q_DECLARE_METATYPE(sumiplex::ui::PictureStatus)

class PictureTest : public QObject {
    Q_OBJECT
private slots:
    void collectListsOwnFilesBeforeSubfolders();
    void collectOfAbsentFolderGivesEmptyList();
    void collectAsyncDeliversTheSameList();
    void laterCollectWinsOverRunningSearch();
    void destroyingDuringSearchIsSafe();
    void nextWalksAndWraps_data();
    void nextWalksAndWraps();
    void nextWrapsWhenListShrinks();
    void nextPictureSkipsWhatDoesNotLoad();
    void loadPictureJudgesContent_data();
    void loadPictureJudgesContent();
    void largePictureIsKeptNoLargerThanTheScreen();
    void choosePicture_data();
    void choosePicture();
    void builtInPictureComesFromResources();
    void applicationIconHasShippedSizes();
    void projectPageOpensThroughShell_data();
    void projectPageOpensThroughShell();
    void systemShellRefusesMalformedAddress();
};

void PictureTest::collectListsOwnFilesBeforeSubfolders() {
    QTemporaryDir root;
    QVERIFY(root.isValid());
    buildPictureTree(root);
    PictureList list;
    list.collect(root.path());
    QCOMPARE(relativeTo(root, list.paths()), kTreeOrder);
    for (const QString& path : list.paths()) {
        QVERIFY2(QFileInfo(path).isAbsolute(), qPrintable(path));
    }
}

void PictureTest::collectOfAbsentFolderGivesEmptyList() {
    QTemporaryDir root;
    PictureList list;
    list.setPaths({"left over"});
    list.collect(root.path() + "/absent");
    QVERIFY(list.paths().isEmpty());
    QCOMPARE(list.next(), std::nullopt);
}

void PictureTest::collectAsyncDeliversTheSameList() {
    QTemporaryDir root;
    buildPictureTree(root);
    PictureList list;
    QSignalSpy spy(&list, &PictureList::collected);
    list.collectAsync(root.path());
    QVERIFY(list.collecting());
    QVERIFY(spy.wait(5000));
    QCOMPARE(spy.count(), 1);
    QVERIFY(!list.collecting());
    QCOMPARE(relativeTo(root, list.paths()), kTreeOrder);
}

void PictureTest::laterCollectWinsOverRunningSearch() {
    QTemporaryDir first;
    QTemporaryDir second;
    buildPictureTree(first);
    writeImage(second.path() + "/only.jpg", "JPG");
    PictureList list;
    QSignalSpy spy(&list, &PictureList::collected);
    list.collectAsync(first.path());
    list.collect(second.path());
    QTRY_VERIFY_WITH_TIMEOUT(!list.collecting(), 5000);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(relativeTo(second, list.paths()), QStringList{"only.jpg"});
}

// Destroyed while its search runs, a list goes at once, and so does the main window that
// owns one: the search's result, posted to the event loop, must reach neither afterwards.
void PictureTest::destroyingDuringSearchIsSafe() {
    QTemporaryDir root;
    buildPictureTree(root);
    int delivered = 0;
    for (int i = 0; i < 20; ++i) {
        auto list = std::make_unique<PictureList>();
        const QPointer<PictureList> watched = list.get();
        connect(list.get(), &PictureList::collected, this, [&delivered] { ++delivered; });
        list->collectAsync(root.path());
        QVERIFY(list->collecting());
        list.reset();
        QVERIFY(watched.isNull());
        QCoreApplication::processEvents();
    }

    // The picture tree stands for the program's folder, so opening starts a search of it.
    FakeServices fakes;
    auto window = std::make_unique<frmMain>(fakes.services(root.path()));
    const QPointer<frmMain> windowGone = window.get();
    const QPointer<PictureList> listGone = &window->pictureList();
    // The search starts in the event loop's first turn, after the window's first frame.
    QVERIFY(!window->pictureList().collecting());
    QCoreApplication::sendPostedEvents();
    QVERIFY(window->pictureList().collecting());
    connect(listGone.data(), &PictureList::collected, this, [&delivered] { ++delivered; });
    window.reset();
    QVERIFY(windowGone.isNull());
    QVERIFY(listGone.isNull());

    // Run the event loop until a search of the same tree has ended: by then every search
    // above would have delivered its result.
    PictureList witness;
    QSignalSpy done(&witness, &PictureList::collected);
    witness.collectAsync(root.path());
    QVERIFY(done.wait(5000));
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QCOMPARE(delivered, 0);
    QCOMPARE(relativeTo(root, witness.paths()), kTreeOrder);
}

void PictureTest::nextWalksAndWraps_data() {
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<int>("calls");
    QTest::addColumn<QStringList>("expected"); // "-" for nothing

    QTest::newRow("empty list gives nothing") << QStringList{} << 3 << QStringList{"-", "-", "-"};
    QTest::newRow("one picture repeats") << QStringList{"a"} << 3 << QStringList{"a", "a", "a"};
    QTest::newRow("wraps past the last")
        << QStringList{"a", "b", "c"} << 7 << QStringList{"a", "b", "c", "a", "b", "c", "a"};
    QTest::newRow("empty entry gives nothing and is passed")
        << QStringList{"a", "", "c"} << 4 << QStringList{"a", "-", "c", "a"};
}

void PictureTest::nextWalksAndWraps() {
    QFETCH(QStringList, paths);
    QFETCH(int, calls);
    QFETCH(QStringList, expected);
    PictureList list;
    list.setPaths(paths);
    QStringList got;
    for (int i = 0; i < calls; ++i) {
        got.append(list.next().value_or("-"));
    }
    QCOMPARE(got, expected);
}

void PictureTest::nextWrapsWhenListShrinks() {
    PictureList list;
    list.setPaths({"a", "b", "c", "d"});
    for (int i = 0; i < 3; ++i) {
        (void)list.next();
    }
    QCOMPARE(list.index(), 3);
    list.setPaths({"x", "y"});
    QCOMPARE(list.next(), std::optional<QString>("x"));
    QCOMPARE(list.next(), std::optional<QString>("y"));
}

void PictureTest::nextPictureSkipsWhatDoesNotLoad() {
    QTemporaryDir root;
    const QString text = root.path() + "/text.jpg";
    const QString good = root.path() + "/good.jpg";
    writeBytes(text, "plain words");
    writeImage(good, "JPG", {64, 48});
    PictureList list;
    list.setPaths({text, good, root.path() + "/gone.jpg"});

    QCOMPARE(list.nextPicture().has_value(), false);
    const auto shown = list.nextPicture();
    QVERIFY(shown.has_value());
    QCOMPARE(shown->path, good);
    QCOMPARE(shown->pixmap.size(), QSize(64, 48));
    QCOMPARE(list.nextPicture().has_value(), false);
    QCOMPARE(list.nextPicture().has_value(), false);
    QCOMPARE(list.nextPicture().has_value(), true);
}

void PictureTest::largePictureIsKeptNoLargerThanTheScreen() {
    QTemporaryDir root;
    const QString path = root.filePath(QStringLiteral("camera.png"));
    writeImage(path, "PNG", {4000, 3000});
    const auto load = sumiplex::ui::loadPicture(path);
    QCOMPARE(load.status, PictureStatus::Loaded);
    const QSize screen = QGuiApplication::primaryScreen()->size();
    QVERIFY(load.pixmap.width() <= screen.width() && load.pixmap.height() <= screen.height());
    // Scaled as a whole: the proportions stay.
    QCOMPARE(load.pixmap.width() * 3000 / 4000, load.pixmap.height());
}

void PictureTest::loadPictureJudgesContent_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind"); // 0 JPEG, 1 PNG, 2 text, 3 empty file, 4 folder, 5 none
    QTest::addColumn<PictureStatus>("status");

    QTest::newRow("jpeg") << "p.jpg" << 0 << PictureStatus::Loaded;
    QTest::newRow("upper-case name") << "P.JPG" << 0 << PictureStatus::Loaded;
    QTest::newRow("png under a jpg name") << "p.jpg" << 1 << PictureStatus::Loaded;
    QTest::newRow("jpeg without extension") << "picture" << 0 << PictureStatus::Loaded;
    QTest::newRow("text under a jpg name") << "t.jpg" << 2 << PictureStatus::Unreadable;
    QTest::newRow("empty file") << "e.jpg" << 3 << PictureStatus::Unreadable;
    QTest::newRow("folder") << "f.jpg" << 4 << PictureStatus::Unreadable;
    QTest::newRow("no such file") << "n.jpg" << 5 << PictureStatus::Missing;
    QTest::newRow("no path at all") << "" << 5 << PictureStatus::Missing;
}

void PictureTest::loadPictureJudgesContent() {
    QFETCH(QString, name);
    QFETCH(int, kind);
    QFETCH(PictureStatus, status);
    QTemporaryDir root;
    const QString path = name.isEmpty() ? QString() : root.filePath(name);
    switch (kind) {
    case 0:
        writeImage(path, "JPG", {33, 17});
        break;
    case 1:
        writeImage(path, "PNG", {33, 17});
        break;
    case 2:
        writeBytes(path, "This is a letter, not a picture.\r\n");
        break;
    case 3:
        writeBytes(path, {});
        break;
    case 4:
        QVERIFY(QDir().mkpath(path));
        break;
    default:
        break;
    }
    const auto load = sumiplex::ui::loadPicture(path);
    QCOMPARE(load.status, status);
    QCOMPARE(load.pixmap.isNull(), status != PictureStatus::Loaded);
    if (status == PictureStatus::Loaded) {
        QCOMPARE(load.pixmap.size(), QSize(33, 17));
    }
}

void PictureTest::choosePicture_data() {
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("chosen");
    QTest::addColumn<bool>("warned");

    QTest::newRow("cancel") << Answer::Cancel << false << false;
    QTest::newRow("jpeg") << Answer::Jpeg << true << false;
    QTest::newRow("not a picture") << Answer::Text << false << true;
    QTest::newRow("name that leads nowhere") << Answer::Missing << false << true;
}

void PictureTest::choosePicture() {
    QFETCH(Answer, answer);
    QFETCH(bool, chosen);
    QFETCH(bool, warned);
    QTemporaryDir root;
    FakeFileDialogs files;
    FakeMessageBoxes messages;
    const QString path = root.filePath("chosen.jpg");
    switch (answer) {
    case Answer::Cancel:
        files.queueAnswer(std::nullopt);
        break;
    case Answer::Jpeg:
        writeImage(path, "JPG", {20, 10});
        files.queueAnswer(path);
        break;
    case Answer::Text:
        writeBytes(path, "GIF89a but not really");
        files.queueAnswer(path);
        break;
    case Answer::Missing:
        files.queueAnswer(path);
        break;
    }

    const auto result = sumiplex::ui::choosePicture(files, messages, QStringLiteral("電卓"));

    QCOMPARE(files.requests().size(), std::size_t{1});
    const auto& request = files.requests().front();
    QCOMPARE(request.kind, FakeFileDialogs::Kind::Open);
    QCOMPARE(request.title, QStringLiteral("電卓 　画像ファイルを開く"));
    QCOMPARE(request.filters, QStringLiteral("すべてのﾌｧｲﾙ (*.*)|*.*|画像 (*.jpg)|*.jpg|"));
    QCOMPARE(request.selectedFilter, 1);

    QCOMPARE(result.has_value(), chosen);
    if (chosen) {
        QCOMPARE(result->path, path);
        QCOMPARE(result->pixmap.size(), QSize(20, 10));
    }
    QCOMPARE(messages.shown().size(), std::size_t{warned ? 1u : 0u});
    if (warned) {
        const auto& shown = messages.shown().front();
        QCOMPARE(shown.icon, MessageIcon::Critical);
        QCOMPARE(shown.text, QStringLiteral("読み込めない形式のﾌｧｲﾙです。"));
        QCOMPARE(shown.title, QStringLiteral("入力事項の確認"));
    }
}

void PictureTest::builtInPictureComesFromResources() {
    const QPixmap picture = sumiplex::ui::builtInPicture();
    QVERIFY(!picture.isNull());
    QCOMPARE(picture.size(), QSize(480, 200));
    // Compiled into every copy of the program, so it is kept small.
    QFile file(QStringLiteral(":/sumiplex/picture.jpg"));
    QVERIFY(file.exists());
    QVERIFY2(file.size() < 60 * 1024, qPrintable(QString::number(file.size())));
}

void PictureTest::applicationIconHasShippedSizes() {
    const QIcon icon = sumiplex::ui::applicationIcon();
    QVERIFY(!icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    for (const int side : {48, 128, 256}) {
        QVERIFY2(sizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
        QCOMPARE(icon.pixmap(QSize(side, side)).size(), QSize(side, side));
    }
}

void PictureTest::projectPageOpensThroughShell_data() {
    QTest::addColumn<bool>("desktopOpens");
    QTest::newRow("opened") << true;
    QTest::newRow("nothing could be started") << false;
}

void PictureTest::projectPageOpensThroughShell() {
    QFETCH(bool, desktopOpens);
    FakeShell shell;
    shell.setResult(desktopOpens);
    QCOMPARE(sumiplex::platform::openProjectPage(shell), desktopOpens);
    QCOMPARE(shell.openedUrls(), QList<QUrl>{QUrl(QStringLiteral("https://sumiplex.github.io/"))});
}

void PictureTest::systemShellRefusesMalformedAddress() {
    sumiplex::platform::SystemShell shell;
    QVERIFY(!shell.openUrl(QUrl()));
    QVERIFY(!shell.openUrl(QUrl(QStringLiteral("sumiplex.github.io"))));
    QVERIFY(!shell.openUrl(QUrl(QStringLiteral("http://[::1"))));
}

QTEST_MAIN(PictureTest)
#include "picture_test.moc"
