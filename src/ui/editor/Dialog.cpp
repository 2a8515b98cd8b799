// SPDX-License-Identifier: GPL-3.0-or-later
#include "Dialog.h"

#include "platform/Services.h"
#include "store/AlarmCommands.h"
#include "store/AlarmLoad.h"
#include "store/AlarmTable.h"
#include "store/ini.h"
#include "text/IsoDate.h"
#include "text/TextTrim.h"
#include "ui/window/Messages.h"
#include "ui/window/WindowLook.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTextCursor>

#include <limits>

namespace {

using ui::twips;

// A memo of nothing but white space would be stored as blanks, since the store turns line breaks into
// blanks; it counts as empty.
bool isBlank(const QString& text)
{
    for (const QChar c : text) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\r') &&
            c != QLatin1Char('\n'))
            return false;
    }
    return true;
}

// How many UTF-16 units of text fit in the bytes the store gives back.
qsizetype storableLength(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    const std::string bytes(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    const auto keep = text::cutUtf8(bytes).size();
    if (keep == bytes.size())
        return text.size();
    return QString::fromUtf8(utf8.constData(), static_cast<qsizetype>(keep)).size();
}

constexpr std::int16_t maxAlarmCount = std::numeric_limits<std::int16_t>::max();

// The box ends its lines with a bare line feed. Stored, each line break is a CR LF, which the store turns
// into two blanks, as the memo has always been kept.
QString storedMemo(const QString& boxText)
{
    QString text = boxText;
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

// Enter in the memo presses OK, as everywhere in the editor; Ctrl+Enter starts a new line instead.
class MemoKeys : public QObject
{
public:
    MemoKeys(QPlainTextEdit* memo, QPushButton* ok) : QObject(memo), m_memo(memo), m_ok(ok) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        if (key->modifiers().testFlag(Qt::ControlModifier))
            m_memo->insertPlainText(QStringLiteral("\n"));
        else
            m_ok->click();
        return true;
    }

private:
    QPlainTextEdit* m_memo;
    QPushButton* m_ok;
};

} // namespace

Dialog::Dialog(platform::Services& services, const store::AlarmTable& table, QWidget* parent)
    : QDialog(parent), m_services(services), m_table(table), m_test(services.sounds)
{
    setObjectName(QStringLiteral("Dialog"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(ui::classicFont(ui::Face::Sans, 8.25, false));
    setFixedSize(ui::px(5475), ui::px(5175));
    buildControls();

    connect(OKButton, &QPushButton::clicked, this, &Dialog::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &Dialog::CancelButton_Click);
    connect(cmdbrowse, &QPushButton::clicked, this, &Dialog::cmdbrowse_Click);
    connect(txtMemo, &QPlainTextEdit::textChanged, this, &Dialog::limitMemo);
    connect(txtaction, &QLineEdit::textChanged, this, [this] { limitLineEdit(txtaction); });
    connect(cmbtime2->lineEdit(), &QLineEdit::textChanged, this,
            [this] { limitLineEdit(cmbtime2->lineEdit()); });

    Form_Load();
}

void Dialog::buildControls()
{
    const QFont labelFont = ui::classicFont(ui::Face::Sans, 8.25, true);

    auto makeButton = [this](QPushButton*& button, const char* name, const QString& caption, QRect place) {
        button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(place);
    };
    auto makeLabel = [this](QLabel*& label, const char* name, const QString& caption, QRect place,
                            const QFont& font) {
        label = new QLabel(caption, this);
        label->setObjectName(QLatin1String(name));
        label->setGeometry(place);
        label->setFont(font);
    };

    makeButton(OKButton, "OKButton", QStringLiteral("OK"), twips(4200, 120, 1215, 375));
    OKButton->setToolTip(QStringLiteral("save and close."));
    OKButton->setDefault(true);
    makeButton(CancelButton, "CancelButton", QStringLiteral("Cancel"), twips(4200, 600, 1215, 375));

    cmbtime2 = new QComboBox(this);
    cmbtime2->setObjectName(QStringLiteral("cmbtime2"));
    cmbtime2->setEditable(true);
    ui::nameForScreenReaders(*cmbtime2, QStringLiteral("Time"));
    // Enter in the box confirms the dialog; it must not grow the list with what was typed.
    cmbtime2->setInsertPolicy(QComboBox::NoInsert);
    cmbtime2->setGeometry(twips(720, 240, 1500, 315));
    cmbtime2->setToolTip(QStringLiteral("Select from the list or enter a time(HH:MM AM/PM)."));

    makeLabel(Label8, "Label8", QStringLiteral("HH:MM AM/PM"), twips(840, 615, 1215, 135),
              ui::classicFont(ui::Face::Sans, 6, false));

    const std::array<const char*, 7> dayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    const std::array<int, 7> dayLefts{120, 720, 1440, 2160, 2880, 3480, 3960};
    std::array<QCheckBox**, 7> dayMembers{&Check1, &Check2, &Check3, &Check4, &Check5, &Check6, &Check7};
    for (std::size_t day = 0; day < 7; ++day) {
        auto* box = new QCheckBox(QLatin1String(dayNames[day]), this);
        box->setObjectName(QStringLiteral("Check%1").arg(day + 1));
        box->setGeometry(twips(dayLefts[day], 1065, 705, 300));
        box->setAccessibleName(QLatin1String(dayNames[day]));
        // Fri and Sat stand only 32 pixels apart; with the style's wider gap "Fri" ran under Sat's box.
        box->setStyleSheet(QStringLiteral("QCheckBox { spacing: 3px; }"));
        *dayMembers[day] = box;
        m_days[day] = box;
    }

    makeLabel(Label5, "Label5", QStringLiteral("Time :"), twips(120, 240, 570, 285), labelFont);

    // Every one of the marked weekdays, or once on one date; the day boxes belong to the first.
    optEvery = new QRadioButton(QStringLiteral("&Every"), this);
    optEvery->setObjectName(QStringLiteral("optEvery"));
    optEvery->setGeometry(twips(120, 780, 1500, 270));
    optOnce = new QRadioButton(QStringLiteral("&Once on"), this);
    optOnce->setObjectName(QStringLiteral("optOnce"));
    optOnce->setGeometry(twips(120, 1440, 1140, 285));
    auto* repeat = new QButtonGroup(this);
    repeat->addButton(optEvery);
    repeat->addButton(optOnce);
    dtpOnce = new QDateEdit(this);
    dtpOnce->setObjectName(QStringLiteral("dtpOnce"));
    ui::nameForScreenReaders(*dtpOnce, QStringLiteral("Once on"));
    dtpOnce->setCalendarPopup(true);
    dtpOnce->setDisplayFormat(QStringLiteral("ddd d MMM yyyy"));
    dtpOnce->setGeometry(twips(1320, 1425, 2400, 315));
    connect(optOnce, &QRadioButton::toggled, this, &Dialog::optOnce_Click);

    txtMemo = new QPlainTextEdit(this);
    txtMemo->setObjectName(QStringLiteral("txtMemo"));
    ui::nameForScreenReaders(*txtMemo, QStringLiteral("Memo"));
    txtMemo->setGeometry(twips(120, 2100, 5235, 1335));
    txtMemo->setFont(ui::classicFont(ui::Face::Serif, 11.25, true));
    txtMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab walks on to the next control, as everywhere else in the dialog.
    txtMemo->setTabChangesFocus(true);
    txtMemo->installEventFilter(new MemoKeys(txtMemo, OKButton));

    makeLabel(Label1, "Label1", QStringLiteral("Memo :"), twips(120, 1860, 630, 195), labelFont);

    makeButton(cmdbrowse, "cmdbrowse", QStringLiteral("Browse"), twips(4440, 3780, 975, 315));

    txtaction = new QLineEdit(this);
    txtaction->setObjectName(QStringLiteral("txtaction"));
    ui::nameForScreenReaders(*txtaction, QStringLiteral("Sound file to play (Blank=Default Sound)"));
    txtaction->setGeometry(twips(120, 3780, 4215, 315));
    txtaction->setToolTip(QStringLiteral("Specify the path of a file"));

    makeLabel(Label2, "Label2", QStringLiteral("Sound file to play (Blank=Default Sound) :"),
              twips(120, 3540, 3600, 195), labelFont);

    buildSoundControls(labelFont);

    QWidget::setTabOrder(OKButton, CancelButton);
    QWidget::setTabOrder(CancelButton, cmbtime2);
    QWidget::setTabOrder(cmbtime2, optEvery);
    QWidget::setTabOrder(optEvery, Check1);
    for (std::size_t day = 0; day + 1 < m_days.size(); ++day)
        QWidget::setTabOrder(m_days[day], m_days[day + 1]);
    QWidget::setTabOrder(Check7, optOnce);
    QWidget::setTabOrder(optOnce, dtpOnce);
    QWidget::setTabOrder(dtpOnce, txtMemo);
    QWidget::setTabOrder(txtMemo, cmdbrowse);
    QWidget::setTabOrder(cmdbrowse, txtaction);
    QWidget::setTabOrder(txtaction, sldVolume);
    QWidget::setTabOrder(sldVolume, cmbFadeIn);
    QWidget::setTabOrder(cmbFadeIn, cmdTest);
}

bool Dialog::openNew()
{
    if (isVisible()) {
        bringToFront();
        return false;
    }
    if (m_table.ACount >= maxAlarmCount) {
        platform::showError(m_services.dialogs, messages::noMoreAlarms);
        return false;
    }
    m_modifMode = false;
    Form_Load();
    // Modal to the main window only: a notification window that opens meanwhile must take input.
    setWindowModality(Qt::WindowModal);
    ui::centreOn(*this, parentWidget() != nullptr ? parentWidget()->screen() : screen());
    show();
    bringToFront();
    return true;
}

void Dialog::Modi(std::int16_t AIndex)
{
    if (!m_services.files.plainFileExists(platform::dataIniPath(m_services.files)))
        return;
    if (AIndex < 1 || AIndex > m_table.ACount)
        return;
    if (isVisible() && (!m_modifMode || AIndex == m_alIndex)) {
        bringToFront();
        return;
    }
    const auto loaded = store::readRecord(platform::dataIniPath(m_services.files), AIndex);
    if (!loaded)
        return;
    const bool wasOpen = isVisible();

    m_modifMode = true;
    m_alIndex = AIndex;
    m_loaded = *loaded;
    Form_Load();
    setWindowTitle(QStringLiteral("Change Alarm..."));
    Fill_Cmbtime2();

    txtMemo->setPlainText(QString::fromStdString(loaded->memo));
    cmbtime2->setEditText(QString::fromStdString(loaded->time));
    txtaction->setText(QString::fromStdString(loaded->sound));
    showSoundLevel(store::soundLevelFromKeys(loaded->volume, loaded->fadeIn));
    // A Date wins over the weekdays, as it does when the alarm rings.
    if (const auto day = text::parseIsoDate(loaded->date)) {
        optOnce->setChecked(true);
        dtpOnce->setDate(QDate(1970, 1, 1).addDays(*day));
    } else {
        CheckTheDays(AIndex);
    }

    if (!wasOpen) {
        setWindowModality(Qt::NonModal);
        ui::centreOn(*this, parentWidget() != nullptr ? parentWidget()->screen() : screen());
        show();
    }
    bringToFront();
}

void Dialog::CheckTheDays(std::int16_t AIndex)
{
    const std::string type =
        ini::ReadIni(platform::dataIniPath(m_services.files), store::alarmSection(AIndex), "Type", "1");
    const editor::DayBoxes marked = editor::daysOfType(type);
    for (std::size_t day = 0; day < m_days.size(); ++day) {
        if (marked[day])
            m_days[day]->setChecked(true);
    }
}

std::string Dialog::GetType() const
{
    return editor::GetType(dayBoxes());
}

editor::DayBoxes Dialog::dayBoxes() const
{
    editor::DayBoxes boxes{};
    for (std::size_t day = 0; day < m_days.size(); ++day)
        boxes[day] = m_days[day]->isChecked();
    return boxes;
}

void Dialog::bringToFront()
{
    if (!isVisible())
        return;
    ui::bringToFront(*this);
}

void Dialog::alarmRemoved(std::int16_t index)
{
    if (!isVisible() || !m_modifMode)
        return;
    if (index == m_alIndex) {
        // Its alarm is gone: saving now would write over whichever alarm took its place.
        m_modifMode = false;
        reject();
    } else if (index < m_alIndex) {
        --m_alIndex;
    }
}

void Dialog::done(int result)
{
    m_test.stop();
    const bool wasOpen = isVisible();
    QDialog::done(result);
    if (wasOpen)
        Form_Unload();
}

// Every opening starts from the window as it was laid out: no alarm's text, days or chosen file is
// carried over from the previous one.
void Dialog::Form_Load()
{
    m_saved = false;
    m_browseName.clear();
    setWindowTitle(QStringLiteral("Set Alarm..."));
    cmbtime2->clear();
    cmbtime2->setEditText(QStringLiteral("Time"));
    for (QCheckBox* box : m_days)
        box->setChecked(false);
    txtMemo->clear();
    txtaction->clear();
    showSoundLevel({});
    m_test.stop();
    testFinished({});
    optEvery->setChecked(true);
    optOnce_Click();
    if (!m_modifMode)
        Fill_Cmbtime2();
    OKButton->setFocus();
}

void Dialog::Form_Unload()
{
    m_modifMode = false;
    emit editorClosed(m_saved);
}

void Dialog::Fill_Cmbtime2()
{
    for (const char* half : {"AM", "PM"}) {
        for (int hour = 1; hour <= 12; ++hour)
            cmbtime2->addItem(QStringLiteral("%1:00 %2").arg(hour).arg(QLatin1String(half)));
    }
    cmbtime2->setCurrentIndex(0);
}

void Dialog::OKButton_Click()
{
    const std::string original = cmbtime2->currentText().toStdString();
    std::string text = original;
    std::string repaired = original;
    bool valid = editor::ValidTime(text, repaired);
    if (repaired != original) {
        cmbtime2->setEditText(QString::fromStdString(repaired));
        // What gets stored is the box's text; should the repair not fit the box, that text is checked anew
        // on the next OK rather than stored unchecked.
        valid = valid && cmbtime2->currentText().toStdString() == repaired;
    }
    if (!valid) {
        platform::showError(m_services.dialogs, messages::invalidTime);
        return;
    }
    if (isBlank(txtMemo->toPlainText())) {
        platform::showError(m_services.dialogs, messages::noMemo);
        return;
    }
    if (!ringsOnce() && GetType().empty()) {
        platform::showError(m_services.dialogs, messages::noDay);
        return;
    }
    // A one-off whose minute has passed would never ring, and say nothing about it.
    const auto time = m_services.localeTime.parseTime(cmbtime2->currentText().toStdString());
    const std::int64_t once = QDate(1970, 1, 1).daysTo(dtpOnce->date());
    if (ringsOnce() && time && once * 24 * 60 + time->hour * 60 + time->minute <= nowMinute()) {
        platform::showError(m_services.dialogs, messages::onceInPast);
        return;
    }
    if (!writeAlarm())
        return;
    m_saved = true;
    m_modifMode = false;
    accept();
}

bool Dialog::ringsOnce() const
{
    return optOnce->isChecked();
}

std::int64_t Dialog::nowMinute() const
{
    const platform::LocalDateTime now = m_services.clock.now();
    return QDate(1970, 1, 1).daysTo(QDate(now.year, now.month, now.day)) * 24 * 60 + now.hour * 60 +
           now.minute;
}

void Dialog::optOnce_Click()
{
    const bool once = ringsOnce();
    for (QCheckBox* box : m_days)
        box->setEnabled(!once);
    dtpOnce->setEnabled(once);
    // Set also while Every is chosen: a greyed box should still show a day that makes sense.
    const std::int64_t now = nowMinute();
    std::int64_t day = now / (24 * 60);
    if (const auto time = m_services.localeTime.parseTime(cmbtime2->currentText().toStdString());
        time && time->hour * 60 + time->minute <= now % (24 * 60))
        ++day;
    // Opening a stored one-off sets its own date after this.
    dtpOnce->setDate(QDate(1970, 1, 1).addDays(day));
}

store::AlarmRecord Dialog::recordToWrite() const
{
    const bool once = ringsOnce();
    store::AlarmRecord record{.state = "1",
                              // No weekday for a one-off: a reader that knows nothing of Date skips it
                              // rather than ringing it every week.
                              .type = once ? std::string() : GetType(),
                              .memo = storedMemo(txtMemo->toPlainText()).toStdString(),
                              .time = cmbtime2->currentText().toStdString(),
                              .sound = txtaction->text().toStdString(),
                              .date = once ? text::isoDate(QDate(1970, 1, 1).daysTo(dtpOnce->date())) : "",
                              .skip = m_modifMode ? m_loaded.skip : "",
                              .timer = m_modifMode && once ? m_loaded.timer : ""};
    store::setSoundLevel(record, soundLevel());
    return store::withoutPastSkip(record, nowMinute() / (24 * 60));
}

bool Dialog::writeAlarm()
{
    const store::AlarmRecord record = recordToWrite();
    const std::string path = platform::dataIniPath(m_services.files);
    std::int16_t added = 0;
    const store::SaveResult result = m_modifMode ? store::changeAlarm(path, m_alIndex, m_loaded, record)
                                                 : store::addAlarm(path, record, added);
    switch (result) {
    case store::SaveResult::Saved:
        return true;
    case store::SaveResult::Full:
        platform::showError(m_services.dialogs, messages::noMoreAlarms);
        return false;
    case store::SaveResult::Changed:
        followChangedAlarm();
        platform::showError(m_services.dialogs, messages::changedElsewhere);
        return false;
    case store::SaveResult::NotSaved:
        break;
    }
    platform::showError(m_services.dialogs, messages::alarmNotSaved);
    return false;
}

// After a refused change, what the next OK writes: the opened alarm where it stands now (a deletion
// elsewhere renumbered it), or, when the file no longer holds it anywhere, a new alarm, so that nothing
// another program wrote is written over.
void Dialog::followChangedAlarm()
{
    const std::int16_t movedTo = store::findRecord(platform::dataIniPath(m_services.files), m_loaded);
    if (movedTo != 0) {
        m_alIndex = movedTo;
    } else {
        m_modifMode = false;
        setWindowTitle(QStringLiteral("Set Alarm..."));
    }
    emit storeChangedElsewhere();
}

void Dialog::CancelButton_Click()
{
    m_modifMode = false;
    reject();
}

void Dialog::cmdbrowse_Click()
{
    // Until a file is chosen in this opening, the dialog starts at the path in the box.
    const std::string startPath = m_browseName.empty() ? txtaction->text().toStdString() : m_browseName;
    const auto chosen = m_services.fileDialog.openFile("Select File", "All Sound Files", "*", startPath);
    if (chosen)
        m_browseName = *chosen;
    // A cancel puts back the file chosen earlier in this opening (or nothing), even over a typed path.
    txtaction->setText(QString::fromStdString(m_browseName));
}

// The store gives back at most 254 bytes of a value; a longer text is cut here, where the user sees it,
// rather than silently on the next load.
void Dialog::limitMemo()
{
    const QString text = txtMemo->toPlainText();
    const qsizetype keep = storableLength(storedMemo(text));
    // Back from the stored text to the box's, where a line break is one character instead of two.
    qsizetype at = 0;
    for (qsizetype stored = 0; at < text.size(); ++at) {
        stored += text[at] == QLatin1Char('\n') ? 2 : 1;
        if (stored > keep)
            break;
    }
    if (at == text.size())
        return;
    QTextCursor cursor(txtMemo->document());
    cursor.setPosition(static_cast<int>(at));
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

void Dialog::limitLineEdit(QLineEdit* edit)
{
    const QString text = edit->text();
    const qsizetype keep = storableLength(text);
    if (keep != text.size())
        edit->setText(text.left(keep));
}
