// SPDX-License-Identifier: GPL-2.0-or-later
// Every text the panels and the board ask to translate has a translation in every language
// shipped, and every caption fits its widget at 96 dpi, the toggled ones too (Japanese and
// Chinese where a CJK font is installed).
#include "PanelAccess.h"
#include "Translations.h"
#include "WinLeft.h"
#include "WinRight.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QSet>
#include <QTranslator>
#include <QtTest>

namespace {

const QChar Separator(0x1f);

// Answers nothing and notes every text it was asked for.
class Recorder : public QTranslator
{
public:
    QString translate(const char *context, const char *source, const char *disambiguation,
                      int) const override
    {
        if (qstrncmp(context, "Win", 3) == 0 || qstrcmp(context, "MainWindow") == 0)
            asked.insert(
                QStringList{context, source, disambiguation ? disambiguation : ""}.join(Separator));
        return QString();
    }
    bool isEmpty() const override { return false; }
    mutable QSet<QString> asked;
};

const char *const Toggles[] = {"BT_IR", "BT_DAY", "BT_Menu", "BT_AI"};

// Builds both panels and shows each caption a toggle can have.
template <typename Check> void everyState(Check check)
{
    WinLeft left;
    left.build();
    WinRight right;
    // Four presses bring every toggle back to where it was, having shown each caption.
    for (int round = 0; round < 4; ++round) {
        check(left, right);
        for (const char *name : Toggles)
            left.findChild<QAbstractButton *>(name)->click();
    }
}

// The width a caption has: its widget's, less what a control beside it covers.
int room(const QWidget *w)
{
    int right = w->geometry().right();
    for (const QObject *o : w->parent()->children()) {
        const auto *other = qobject_cast<const QWidget *>(o);
        if (other && other != w && !qobject_cast<const QLabel *>(other) &&
            other->geometry().intersects(w->geometry()) && other->x() > w->x())
            right = std::min(right, other->x() - 1);
    }
    return right - w->x() + 1;
}

struct Caption
{
    QString where; // the widget, the round of toggling, the item
    QString text;
    int needed; // its ink, not its advance: a caption is cut where its letters are
    int room;
};

QList<Caption> captions()
{
    QList<Caption> found;
    int round = 0;
    const auto add = [&](const QWidget *w, int item, const QString &text, int room) {
        const QString name = w->parentWidget()->objectName() + '/' + w->objectName();
        found.append({QStringLiteral("%1/%2/%3").arg(name).arg(round).arg(item), text,
                      QFontMetrics(w->font()).boundingRect(text).width(), room});
    };
    everyState([&](WinLeft &left, WinRight &right) {
        for (const QWidget *panel :
             {static_cast<QWidget *>(&left), static_cast<QWidget *>(&right)}) {
            for (const QLabel *label : panel->findChildren<QLabel *>())
                add(label, 0, label->text(), room(label));
            for (const QAbstractButton *key : panel->findChildren<QAbstractButton *>())
                add(key, 0, key->text(), key->width() - 2); // inside its borders
        }
        // What the drop-down arrow leaves of the anti-flicker selector.
        const auto *flicker = left.findChild<QComboBox *>("ComboBox_Flicker");
        for (int i = 0; i < flicker->count(); ++i)
            add(flicker, i, flicker->itemText(i), flicker->width() - 20);
        ++round;
    });
    return found;
}

} // namespace

class tst_Translations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyTextIsTranslated_data();
    void everyTextIsTranslated();
    void captionsFit_data();
    void captionsFit();

private:
    QSet<QString> texts;
};

void tst_Translations::initTestCase()
{
    Recorder recorder;
    QCoreApplication::installTranslator(&recorder);
    everyState([](WinLeft &left, WinRight &) {
        QWidget *key = left.findChild<QWidget *>("BT_Flip");
        for (bool connected : {false, true})
            for (bool can : {false, true})
                PanelAccess::explainCameraKey(key, "Hall", connected, can);
    });
    QCoreApplication::removeTranslator(&recorder);
    texts = recorder.asked;
    // The board lives in a module of its own: its texts are read from its sources, each in
    // the context of its file's class.
    const QRegularExpression call(R"re(\btr\(((?:\s*"(?:[^"\\]|\\.)*")+))re");
    const QRegularExpression piece(R"re("((?:[^"\\]|\\.)*)")re");
    int boardTexts = 0;
    for (const QFileInfo &source : QDir(PTZ_SOURCE_DIR "/board").entryInfoList({"*.cpp"})) {
        QFile file(source.filePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString code = QString::fromUtf8(file.readAll());
        for (auto found = call.globalMatch(code); found.hasNext(); ++boardTexts) {
            QString text;
            for (auto part = piece.globalMatch(found.next().captured(1)); part.hasNext();)
                text += part.next().captured(1);
            text.replace("\\\"", "\"").replace("\\n", "\n");
            texts.insert(QStringList{source.baseName(), text, ""}.join(Separator));
        }
    }
    QVERIFY(boardTexts > 30);
    QVERIFY(texts.size() > 100);
    QVERIFY(texts.contains(QStringList{"WinLeft", "NIGHT", ""}.join(Separator)));
    QCOMPARE(Translations::languages().size(), 9);
}

void tst_Translations::everyTextIsTranslated_data()
{
    QTest::addColumn<QString>("language");
    for (const QString &language : Translations::languages())
        QTest::newRow(qPrintable(language)) << language;
}

void tst_Translations::everyTextIsTranslated()
{
    QFETCH(QString, language);
    QTranslator translator;
    QVERIFY(translator.load(":/translations/ptz-panel_" + language + ".qm"));
    QStringList missing;
    for (const QString &joined : texts) {
        const QStringList text = joined.split(Separator);
        const QByteArray context = text[0].toUtf8(), source = text[1].toUtf8(),
                         comment = text[2].toUtf8();
        if (translator.translate(context, source, comment.isEmpty() ? nullptr : comment.data())
                .isEmpty())
            missing << text.join('|');
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
}

void tst_Translations::captionsFit_data()
{
    QTest::addColumn<QString>("language");
    for (const char *latin : {"de", "fr", "es", "it", "pt_BR", "nl", "pl", "ja", "zh_CN"})
        QTest::newRow(latin) << QString(latin);
}

void tst_Translations::captionsFit()
{
    QFETCH(QString, language);
    const bool cjk = language == "ja" || language == "zh_CN";
    if (cjk && QFontDatabase().families(QFontDatabase::Japanese).isEmpty())
        QSKIP("no CJK font here: Japanese and Chinese are checked where one is");
    // Where the form's own English needs more than its room, a translation may take as much.
    const QList<Caption> english = captions();
    QHash<QString, int> allowed;
    for (const Caption &c : english)
        allowed[c.where] = std::max(c.room, c.needed);
    QTranslator translator;
    QVERIFY(translator.load(":/translations/ptz-panel_" + language + ".qm"));
    QCoreApplication::installTranslator(&translator);
    const QList<Caption> translated = captions();
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(translated.size(), english.size());
    QStringList clipped;
    for (const Caption &c : translated)
        if (c.needed > allowed.value(c.where))
            clipped << QStringLiteral("%1 \"%2\" %3 > %4")
                           .arg(c.where, c.text)
                           .arg(c.needed)
                           .arg(allowed.value(c.where));
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join("\n")));
}

QTEST_MAIN(tst_Translations)
#include "tst_translations.moc"
