#include "tools/Unit23.h"

#include "core/BuildInfo.h"
#include "core/MessageTexts.h"
#include "core/Named.h"
#include "core/ProcessPriority.h"
#include "core/Startup.h"
#include "platform/SystemStatus.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QSysInfo>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

QString text(const char16_t* key) { return MessageText(u"Form23"_s, QString::fromUtf16(key)); }

// The format texts as the box fills them: "%d" a whole number, "%.0n" a
// number of kilobytes with thousands separated, "%5.2f" a percentage.
QString withInteger(const QString& format, int value) { return QString(format).replace(u"%d"_s, QString::number(value)); }
QString withKilobytes(const QString& format, qint64 bytes) {
    return QString(format).replace(u"%.0n"_s, QLocale(QLocale::French).toString(bytes / 1024));
}
QString withPercent(const QString& format, double value) {
    return QString(format)
        .replace(u"%5.2f"_s, QString::asprintf("%5.2f", value))
        .replace(u"%%"_s, u"%"_s);
}

QFrame* bar(QWidget* parent, const QString& name, const QColor& colour) {
    auto* f = Named(new QFrame(parent), name);
    f->setAutoFillBackground(true);
    QPalette p = f->palette();
    p.setColor(QPalette::Window, colour);
    f->setPalette(p);
    return f;
}

}  // namespace

TForm23::TForm23(QWidget* parent) : TForm(23, u"A propos de Orvanel"_s, parent) {
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    auto label = [this](const char* name, const QString& caption = QString()) {
        return Named(new QLabel(caption, this), QLatin1String(name));
    };
    Image1 = label("Image1");
    Image1->setFixedSize(64, 64);
    Image1->setAlignment(Qt::AlignCenter);
    Label1 = label("Label1", u"Orvanel"_s);
    QFont title = Label1->font();
    title.setPointSize(title.pointSize() * 2);
    title.setBold(true);
    Label1->setFont(title);
    Label15 = label("Label15");
    Label3 = label("Label3");
    Label5 = label("Label5", u"Windows version : "_s + platform::WindowsVersionName());
    Label7 = label("Label7", u"Noyau :"_s);
    Label6 = label("Label6", QSysInfo::kernelVersion());
    Label10 = label("Label10");
    Label11 = label("Label11");
    Label12 = label("Label12");
    Label16 = label("Label16");
    // The frame is the full scale; the bars are drawn inside it from the left.
    Bevel2 = Named(new QFrame(this), u"Bevel2"_s);
    Bevel2->setFrameShape(QFrame::Box);
    Bevel2->setFixedSize(250, 14);
    Shape5 = bar(Bevel2, u"Shape5"_s, QColor(0x31, 0x6A, 0xC5));
    Shape4 = bar(Bevel2, u"Shape4"_s, QColor(0xE0, 0x40, 0x30));
    for (QFrame* b : {Shape5, Shape4}) b->setGeometry(0, 0, 0, Bevel2->height());
    Label17 = label("Label17", u"Priorité du programme :"_s);
    ComboBox1 = Named(new QComboBox(this), u"ComboBox1"_s);
    ComboBox1->addItems(ProcessPriorityNames());
    ComboBox1->setCurrentIndex(ProcessPriority);
    Label17->setBuddy(ComboBox1);
    Button1 = Named(new QPushButton(u"Fermer"_s, this), u"Button1"_s);
    Button1->setDefault(true);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(u"Timer1"_s);
    Timer1->setInterval(1000);

    // The icon at the left; at the right the texts, a caption beside its value.
    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setHorizontalSpacing(16);
    grid->addWidget(Image1, 0, 0, 3, 1, Qt::AlignTop);
    auto pair = [this](QWidget* caption, QWidget* value) {
        auto* row = new QHBoxLayout;
        row->setSpacing(6);
        row->addWidget(caption);
        row->addWidget(value);
        row->addStretch(1);
        return row;
    };
    int row = 0;
    for (QWidget* w : std::initializer_list<QWidget*>{Label1, Label15, Label3, Label5}) grid->addWidget(w, row++, 1);
    grid->addLayout(pair(Label7, Label6), row++, 1);
    for (QWidget* w : std::initializer_list<QWidget*>{Label10, Label11, Label12, Label16, Bevel2}) grid->addWidget(w, row++, 1);
    grid->addLayout(pair(Label17, ComboBox1), row++, 1);
    grid->addWidget(Button1, row, 1, Qt::AlignRight);
    connect(ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Change(this); });
    connect(Button1, &QPushButton::clicked, this, &QWidget::close);
    connect(Timer1, &QTimer::timeout, this, &TForm23::Timer1Timer);
}

// The texts of the language in force, the icon the program has now.
void TForm23::showEvent(QShowEvent* event) {
    TForm::showEvent(event);
    Image1->setPixmap(QApplication::windowIcon().pixmap(64, 64));
    Label15->setText(FormatMessageText(text(u"Lng_Version"), {ProgramVersionText()}));
    const QString lastUpdate = text(u"Lng_LastUpdate");  // a language file keeps no blank at its end
    Label3->setText(lastUpdate + (lastUpdate.endsWith(u' ') ? QString() : u" "_s) + ProgramBuildDate());
    Label16->setText(withPercent(text(u"Lng_UsedCpu"), 0));
    // The scheduling read back; one the list has no item for keeps the selection.
    const int inUse = ProcessPriorityInUse();
    if (inUse >= 0 && ComboBox1->count() == 6) ComboBox1->setCurrentIndex(inUse);
    Timer1Timer();
    Timer1->start();
}

void TForm23::hideEvent(QHideEvent* event) {
    Timer1->stop();
    TForm::hideEvent(event);
}

int TForm23::barWidth(double percent) const {
    return std::clamp(int(std::lround(percent)) * (Bevel2->width() / 100), 0, Bevel2->width());
}

void TForm23::Timer1Timer() {
    const platform::MemoryStatus memory = platform::ReadMemoryStatus(MemInfo);
    const double total = platform::ProcessorLoad(ProcStat);
    const double own = platform::ProcessLoad(OwnStat, ProcStat);
    Shape4->resize(barWidth(own), Bevel2->height());
    Shape5->resize(barWidth(total), Bevel2->height());
    Label16->setText(withPercent(text(u"Lng_UsedCpu"), total) + u" - Orvanel CPU "_s + withPercent(u"%5.2f%%"_s, own));
    Label10->setText(withInteger(text(u"Lng_Memory"), memory.loadPercent) + u" %"_s);
    Label11->setText(withKilobytes(text(u"Lng_TotalMemory"), memory.totalBytes));
    Label12->setText(withKilobytes(text(u"Lng_UsedMemory"), memory.availableBytes));
}

void TForm23::ComboBox1Change(QObject* sender) {
    Q_UNUSED(sender);
    SetProcessPriority(ComboBox1->currentIndex());
    if (isVisible()) activateWindow();
}
