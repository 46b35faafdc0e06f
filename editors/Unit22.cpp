#include "editors/Unit22.h"

#include "core/Dialogs.h"
#include "core/FileDialog.h"
#include "core/FileSave.h"
#include "core/Helpers.h"
#include "core/Params.h"
#include "core/Settings.h"
#include "core/Unit1.h"
#include "platform/IniFile.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"
#include "platform/VirtualKeys.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtEndian>

using namespace Qt::StringLiterals;

// ---- Markers ----

TCornerMarker::TCornerMarker(const QString& name, bool bottomRight, QColor colour, QWidget* capture)
    : QLabel(capture), bottomRight_(bottomRight) {
    setObjectName(name);
    setFixedSize(16, 16);
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setPen(QPen(colour, 3));
    const int e = bottomRight ? 14 : 1;  // the corner the marker points at
    const int d = bottomRight ? -12 : 12;
    p.drawLine(e, e, e + d, e);
    p.drawLine(e, e, e, e + d);
    p.end();
    setPixmap(picture);
    setCursor(Qt::SizeAllCursor);
}

void TCornerMarker::mousePressEvent(QMouseEvent* e) {
    dragging_ = e->button() == Qt::LeftButton;
    QLabel::mousePressEvent(e);
    if (dragging_) emit Picked();
}

void TCornerMarker::mouseMoveEvent(QMouseEvent* e) {
    if (dragging_) emit Dragged(mapToParent(e->position().toPoint()));
}

void TCornerMarker::mouseReleaseEvent(QMouseEvent* e) {
    QLabel::mouseReleaseEvent(e);
    if (!dragging_) return;
    dragging_ = false;
    emit Dropped();
}

QByteArray Bitmap32(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const quint32 rowBytes = quint32(image.width()) * 4;
    const quint32 pixelBytes = rowBytes * quint32(image.height());
    QByteArray out(54, '\0');
    auto put16 = [&](int at, quint16 v) { qToLittleEndian(v, out.data() + at); };
    auto put32 = [&](int at, quint32 v) { qToLittleEndian(v, out.data() + at); };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, 54 + pixelBytes);
    put32(10, 54);
    put32(14, 40);
    put32(18, quint32(image.width()));
    put32(22, quint32(image.height()));
    put16(26, 1);
    put16(28, 32);
    put32(34, pixelBytes);
    put32(38, 2835);  // 72 dots per inch
    put32(42, 2835);
    out.reserve(54 + qsizetype(pixelBytes));
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = line[x];
            const char bgra[4] = {char(qBlue(c)), char(qGreen(c)), char(qRed(c)), char(qAlpha(c))};
            out.append(bgra, 4);
        }
    }
    return out;
}

// ---- The dialog ----

namespace {

const QString kPosition = u"Position : "_s;

QString positionText(QPoint p) { return kPosition + QString::number(p.x()) + u',' + QString::number(p.y()); }

int numberOr0(const QString& text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? n : 0;
}

QLabel* newLabel(QWidget* parent, const QString& name, const QString& text = QString()) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

QToolButton* arrow(QWidget* parent, const QString& name, Qt::ArrowType type) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setArrowType(type);
    b->setAutoRepeat(true);
    return b;
}

}  // namespace

TForm22::TForm22(QWidget* parent) : TCommandDialog(22, u"Trouve image"_s, u"Trouve image"_s, 1125, parent) {
    Declare({.size = {760, 560},
             .controls = {{.name = u"ComboBox4"_s, .place = PlaceOf(Command::TrouveImage, 1), .label = u"Label5"_s,
                           .caption = u"Nom de l'image"_s, .list = ListSource::AlphaVariables},
                          {.name = u"ComboBox1"_s, .place = PlaceOf(Command::TrouveImage, 10), .label = u"Label6"_s,
                           .caption = u"Résultat position X"_s, .list = ListSource::NumericVariables,
                           .dropDown = AllVariables},
                          {.name = u"ComboBox2"_s, .place = PlaceOf(Command::TrouveImage, 11), .label = u"Label7"_s,
                           .caption = u"Résultat position Y"_s, .list = ListSource::NumericVariables,
                           .dropDown = AllVariables},
                          {.name = u"ComboBox3"_s, .place = PlaceOf(Command::TrouveImage, 12), .label = u"Label8"_s,
                           .caption = u"Trouver la énième image"_s, .list = ListSource::NumericVariables}},
             .checks = {{[this] { return !Graphic.isNull(); }, u"Le graphique rechercher n'est pas valide."_s},
                        {[this] { return mdlfnct::GetVarType(ComboBox1->currentText()) != u"No_Type"; },
                         u"Saisissez une variable où la position de X doit être stockée."_s},
                        {[this] { return mdlfnct::GetVarType(ComboBox1->currentText()) != u"Alpha"; },
                         u"Saisissez une variable de type numèrique pour la position de X."_s},
                        {[this] { return mdlfnct::GetVarType(ComboBox2->currentText()) != u"No_Type"; },
                         u"Saisissez la variable où la position de Y doit être stockée."_s},
                        {[this] { return mdlfnct::GetVarType(ComboBox2->currentText()) != u"Alpha"; },
                         u"Saisissez une variable de type numèrique pour la position de Y."_s}}});
    ComboBox1 = findChild<TComboBox*>(u"ComboBox1"_s);
    ComboBox2 = findChild<TComboBox*>(u"ComboBox2"_s);
    ComboBox3 = findChild<TComboBox*>(u"ComboBox3"_s);
    ComboBox4 = findChild<TComboBox*>(u"ComboBox4"_s);
    // Here "Coller" is Button1, "Valider" Button2 and "Annuler" Button3.
    Button1->setObjectName(u"Button2"_s);
    Button2->setObjectName(u"Button3"_s);

    // The capture, its markers and their menus.
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(u"ScrollBox1"_s);
    Image1 = newLabel(nullptr, u"Image1"_s);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setMouseTracking(true);
    Image1->installEventFilter(this);
    Image1->setContextMenuPolicy(Qt::CustomContextMenu);
    ScrollBox1->setWidget(Image1);
    Image2 = new TCornerMarker(u"Image2"_s, false, QColor(0, 0, 255), Image1);
    Image3 = new TCornerMarker(u"Image3"_s, true, QColor(0, 0, 255), Image1);
    Image4 = new TCornerMarker(u"Image4"_s, false, QColor(255, 128, 0), Image1);
    Image5 = new TCornerMarker(u"Image5"_s, true, QColor(255, 128, 0), Image1);
    Label10 = newLabel(ScrollBox1->viewport(), u"Label10"_s,
                       u"Pour capturer une zone de recherche utilisez la touche [Impr Syst] de votre clavier, puis "
                       u"cliquez sur le bouton Coller."_s);
    Label10->setWordWrap(true);
    Label10->setGeometry(10, 10, 380, 60);
    scrollTimer_ = new QTimer(this);
    scrollTimer_->setInterval(40);
    connect(scrollTimer_, &QTimer::timeout, this, &TForm22::scrollStep);
    for (int m = Zone1; m <= Zone2; ++m) {
        TCornerMarker* k = marker(m);
        connect(k, &TCornerMarker::Picked, this, [this, m, k] {
            refined_ = k;
            Image7->setPixmap(k->pixmap());
            dragged_ = m;
            dragStart_ = Corner(m);
            dropRefused_ = false;
        });
        connect(k, &TCornerMarker::Dragged, this, [this, m](QPoint mouse) { dragTo(m, mouse); });
        connect(k, &TCornerMarker::Dropped, this, [this, m, k] {
            scrollTimer_->stop();
            dragged_ = -1;
            k->setCursor(Qt::SizeAllCursor);
            if (dropRefused_) {
                k->PlaceAt(dragStart_);
                showCorners();
            }
            if (k == Image4 || k == Image5) {
                DrawImg6();
                CenterImg6();
            }
        });
    }
    Image1->resize(640, 480);
    Image2->PlaceAt({0, 0});
    Image3->PlaceAt({640, 480});
    Image4->PlaceAt({180, 150});
    Image5->PlaceAt({360, 300});

    auto* cursorsMenu = new QMenu(this);
    QMenu* positions = cursorsMenu->addMenu(u"Position des curseurs"_s);
    positions->setObjectName(u"Positiondescurseurs1"_s);
    positions->addAction(u"Restaurer"_s, this, &TForm22::Restaurer1Click)->setObjectName(u"Restaurer1"_s);
    positions->addAction(u"Sauvegarder"_s, this, &TForm22::Sauvegarder1Click)->setObjectName(u"Sauvegarder1"_s);
    connect(Image1, &QWidget::customContextMenuRequested, this,
            [this, cursorsMenu](QPoint at) { cursorsMenu->popup(Image1->mapToGlobal(at)); });
    auto toOrigin = [this] { MoveMarker(Zone1, {0, 0}); };
    auto toEnd = [this] { MoveMarker(Zone2, {Capture.width(), Capture.height()}); };
    auto bothEnds = [toOrigin, toEnd] {
        toOrigin();
        toEnd();
    };
    for (TCornerMarker* k : {Image2, Image3}) {
        auto* menu = new QMenu(this);
        const bool origin = k == Image2;
        if (origin)
            menu->addAction(u"Placer le cureur en haut à gauche de l'image."_s, this, toOrigin)
                ->setObjectName(u"Placerlecureurenhaut1"_s);
        else
            menu->addAction(u"Placer le cureur en bas à droite de l'image."_s, this, toEnd)
                ->setObjectName(u"Placerlecureurenbas1"_s);
        menu->addAction(u"Placer les cureurs aux extremités de l'image."_s, this, bothEnds)
            ->setObjectName(origin ? u"Placerlescureurs1"_s : u"Placerlescureurs2"_s);
        k->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(k, &QWidget::customContextMenuRequested, this, [k, menu](QPoint at) { menu->popup(k->mapToGlobal(at)); });
    }

    Button1Coller = new QPushButton(u"Coller"_s, this);
    Button1Coller->setObjectName(u"Button1"_s);
    connect(Button1Coller, &QPushButton::clicked, this, &TForm22::Button1Click);

    // The graphic.
    ScrollBox2 = new QScrollArea(this);
    ScrollBox2->setObjectName(u"ScrollBox2"_s);
    Image6 = newLabel(nullptr, u"Image6"_s);
    Image6->setAlignment(Qt::AlignCenter);
    ScrollBox2->setWidget(Image6);
    ScrollBox2->viewport()->installEventFilter(this);  // the graphic stays centred when the box is resized
    Label11 = newLabel(ScrollBox2->viewport(), u"Label11"_s,
                       u"Utiliser les flèches orange pour sélectionner le graphique recherché."_s);
    Label11->setWordWrap(true);
    Label11->setGeometry(5, 5, 200, 60);

    Label3 = newLabel(this, u"Label3"_s);
    Label4 = newLabel(this, u"Label4"_s);
    Label1 = newLabel(this, u"Label1"_s);
    Label2 = newLabel(this, u"Label2"_s);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(u"Edit2"_s);
    Edit2->setReadOnly(true);

    auto* refine = new QGroupBox(u"Affiner les curseurs"_s, this);
    refine->setObjectName(u"GroupBox1"_s);
    Image7 = newLabel(refine, u"Image7"_s);
    Image7->setFixedSize(16, 16);
    QToolButton* left = arrow(refine, u"UpDown1Left"_s, Qt::LeftArrow);
    QToolButton* right = arrow(refine, u"UpDown1Right"_s, Qt::RightArrow);
    QToolButton* up = arrow(refine, u"UpDown2Up"_s, Qt::UpArrow);
    QToolButton* down = arrow(refine, u"UpDown2Down"_s, Qt::DownArrow);
    connect(left, &QToolButton::clicked, this, [this] { Refine(-1, 0); });
    connect(right, &QToolButton::clicked, this, [this] { Refine(1, 0); });
    connect(up, &QToolButton::clicked, this, [this] { Refine(0, -1); });
    connect(down, &QToolButton::clicked, this, [this] { Refine(0, 1); });
    auto* pad = new QGridLayout(refine);
    pad->addWidget(up, 0, 1);
    pad->addWidget(left, 1, 0);
    pad->addWidget(Image7, 1, 1, Qt::AlignCenter);
    pad->addWidget(right, 1, 2);
    pad->addWidget(down, 2, 1);

    QToolButton* browse = nullptr;
    {
        browse = new QToolButton(this);
        browse->setObjectName(u"SpeedButton1"_s);
        browse->setText(u"..."_s);
        connect(browse, &QToolButton::clicked, this, [this] {
            TFileDialog dialog(this, TFileDialog::Save, u"SavePictureDialog1"_s);
            dialog.Filter = u"Bitmaps (*.bmp)|*.bmp|Tous|*.*"_s;
            dialog.FileName = ComboBox4->currentText();
            if (dialog.Execute()) ComboBox4->setEditText(dialog.FileName);
        });
    }
    connect(ComboBox4, &QComboBox::editTextChanged, this, [this](const QString& text) { loadGraphicFile(text); });

    // Layout: the capture on the left; the graphic, the corners and the fields on the right.
    auto* right_ = new QVBoxLayout;
    right_->addWidget(ScrollBox2, 1);
    // Each "Position :" line says its corner, in the colour of its marker.
    auto* corners = new QGridLayout;
    const std::tuple<QLabel*, const char*, QString, QColor> lines[] = {
        {Label3, "Label12", u"Zone, en haut à gauche"_s, QColor(0, 0, 255)},
        {Label4, "Label13", u"Zone, en bas à droite"_s, QColor(0, 0, 255)},
        {Label1, "Label14", u"Image, en haut à gauche"_s, QColor(255, 128, 0)},
        {Label2, "Label15", u"Image, en bas à droite"_s, QColor(255, 128, 0)}};
    for (int row = 0; row < 4; ++row) {
        const auto& [position, name, text, colour] = lines[row];
        QLabel* caption = newLabel(this, QLatin1String(name), text);
        caption->setStyleSheet(u"color: %1;"_s.arg(colour.name()));
        corners->addWidget(caption, row, 0);
        corners->addWidget(position, row, 1);
    }
    right_->addLayout(corners);
    right_->addWidget(Edit2);
    right_->addWidget(refine);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(ComboBox4, 1);
    fileRow->addWidget(browse);
    right_->addWidget(findChild<QLabel*>(u"Label5"_s));
    right_->addLayout(fileRow);
    for (const char* name : {"Label6", "ComboBox1", "Label7", "ComboBox2", "Label8", "ComboBox3"})
        right_->addWidget(findChild<QWidget*>(QLatin1String(name)));
    auto* leftColumn = new QVBoxLayout;
    leftColumn->addWidget(ScrollBox1, 1);
    auto* pasteRow = new QHBoxLayout;
    pasteRow->addWidget(Button1Coller);
    pasteRow->addStretch(1);
    leftColumn->addLayout(pasteRow);
    auto* top = new QHBoxLayout;
    top->addLayout(leftColumn, 3);
    top->addLayout(right_, 1);
    auto* column = new QVBoxLayout(this);
    column->addLayout(top, 1);
    column->addLayout(ButtonRow());
    showCorners();
}

TForm22::~TForm22() {
    if (HotKeyManager1) HotKeyManager1->RemoveListener(this);
}

TCornerMarker* TForm22::marker(int m) const {
    switch (m) {
    case Zone1: return Image2;
    case Image1Corner: return Image4;
    case Image2Corner: return Image5;
    default: return Image3;
    }
}

QPoint TForm22::Corner(int m) const { return marker(m)->Corner(); }

// Each marker stays at or below and right of those before it in the order,
// at or above and left of those after it.
bool TForm22::MoveMarker(int m, QPoint corner) {
    for (int other = Zone1; other <= Zone2; ++other) {
        if (other == m) continue;
        const QPoint o = Corner(other);
        const bool before = other < m;
        if (before ? (corner.x() < o.x() || corner.y() < o.y()) : (corner.x() > o.x() || corner.y() > o.y()))
            return false;
    }
    marker(m)->PlaceAt(corner);
    showCorners();
    return true;
}

void TForm22::showCorners() {
    Label3->setText(positionText(Corner(Zone1)));
    Label4->setText(positionText(Corner(Zone2)));
    Label1->setText(positionText(Corner(Image1Corner)));
    Label2->setText(positionText(Corner(Image2Corner)));
}

void TForm22::placeMarkers(const std::array<QPoint, 4>& corners) {
    for (int m = Zone1; m <= Zone2; ++m) marker(m)->PlaceAt(corners[size_t(m)]);
    showCorners();
}

void TForm22::Refine(int dx, int dy) {
    if (!refined_) return;
    for (int m = Zone1; m <= Zone2; ++m)
        if (marker(m) == refined_) MoveMarker(m, Corner(m) + QPoint(dx, dy));
    DrawImg6();
    CenterImg6();
}

void TForm22::dragTo(int m, QPoint mouse) {
    dragMouse_ = mouse;
    TCornerMarker* k = marker(m);
    dropRefused_ = !MoveMarker(m, k->BottomRight() ? mouse + QPoint(k->width(), k->height()) : mouse);
    k->setCursor(dropRefused_ ? Qt::ForbiddenCursor : Qt::SizeAllCursor);
    // Within 20 pixels of an edge of the visible part, the capture scrolls that way.
    constexpr int kEdge = 20;
    const QWidget* view = ScrollBox1->viewport();
    const QPoint seen = Image1->mapTo(view, mouse);
    scrollDirection_ = {seen.x() < kEdge ? -1 : seen.x() >= view->width() - kEdge ? 1 : 0,
                        seen.y() < kEdge ? -1 : seen.y() >= view->height() - kEdge ? 1 : 0};
    if (scrollDirection_.isNull())
        scrollTimer_->stop();
    else if (!scrollTimer_->isActive())
        scrollTimer_->start();
}

// The capture moves under the mouse held near an edge: the marker follows it.
void TForm22::scrollStep() {
    if (dragged_ < 0) return scrollTimer_->stop();
    constexpr int kStep = 10;
    QScrollBar* bars[] = {ScrollBox1->horizontalScrollBar(), ScrollBox1->verticalScrollBar()};
    const int directions[] = {scrollDirection_.x(), scrollDirection_.y()};
    QPoint moved;
    for (int i = 0; i < 2; ++i) {
        const int before = bars[i]->value();
        bars[i]->setValue(before + directions[i] * kStep);
        (i == 0 ? moved.rx() : moved.ry()) = bars[i]->value() - before;
    }
    if (moved.isNull()) return scrollTimer_->stop();
    dragTo(dragged_, dragMouse_ + moved);
}

void TForm22::DrawImg6() {
    const QRect frame(Corner(Image1Corner), Corner(Image2Corner) - QPoint(1, 1));
    if (frame.width() >= 1 && frame.height() >= 1 && !Capture.isNull()) {
        Graphic = Capture.copy(frame).convertToFormat(QImage::Format_RGB32);
        Image6->setPixmap(QPixmap::fromImage(Graphic));
        Label11->hide();
    } else {
        Graphic = QImage();
        Image6->setPixmap(QPixmap());
        Label11->setText(u"Le cadre de l'image est hors zone."_s);
        Label11->show();
    }
}

// In each direction a graphic smaller than the box stands in its middle; a
// larger one has a margin of 20 pixels around it.
void TForm22::CenterImg6() {
    QSize box = ScrollBox2->maximumViewportSize();
    const QSize g = Graphic.isNull() ? QSize(0, 0) : Graphic.size();
    // A scroll bar that shows takes its room from the other direction.
    if (g.width() >= box.width()) box.rheight() -= ScrollBox2->horizontalScrollBar()->sizeHint().height();
    if (g.height() >= box.height()) box.rwidth() -= ScrollBox2->verticalScrollBar()->sizeHint().width();
    Image6->resize(g.width() >= box.width() ? g.width() + 40 : box.width(),
                   g.height() >= box.height() ? g.height() + 40 : box.height());
    ScrollBox2->horizontalScrollBar()->setValue(0);
    ScrollBox2->verticalScrollBar()->setValue(0);
}

void TForm22::loadGraphicFile(const QString& file) {
    if (file.isEmpty() || !QFileInfo(file).isFile()) return;
    const QImage picture(file);
    if (picture.isNull()) return;
    Graphic = picture.convertToFormat(QImage::Format_RGB32);
    Image6->setPixmap(QPixmap::fromImage(Graphic));
    Label11->hide();
    CenterImg6();
}

QString TForm22::New_Image_Name() {
    const QString macro = Form1->StatusPanel[0]->text();
    const QString folder = macro == u"Nouvelle macro" || macro.isEmpty() ? platform::programFolder()
                                                                         : QFileInfo(macro).absolutePath();
    for (int n = 1; n <= 99999; ++n) {
        const QString name = QDir(folder).filePath(u"image%1.bmp"_s.arg(n));
        if (!QFileInfo::exists(name)) return name;
    }
    return QDir(folder).filePath(u"image99999.bmp"_s);
}

// ---- The clipboard ----

namespace {

QImage clipboardPicture() {
    for (const platform::ClipboardFormat& f : platform::desktop().GetClipboardData())
        if (f.mimeType.startsWith(u"image/"))
            if (QImage picture = QImage::fromData(f.data); !picture.isNull()) return picture;
    return QImage();
}

}  // namespace

void TForm22::updatePaste() { Button1Coller->setEnabled(!clipboardPicture().isNull()); }

void TForm22::changeEvent(QEvent* e) {
    TCommandDialog::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isVisible()) updatePaste();
}

// ---- Print Screen ----

// Print Screen is the program's while the dialog is open, unless it is already;
// held by another program (the desktop's screenshot tool), it is heard all the same.
void TForm22::holdPrintScreen(bool hold) {
    if (!HotKeyManager1) return;
    const quint32 print = platform::VK_SNAPSHOT;
    if (hold) {
        HotKeyManager1->AddListener(this);
        if (!HotKeyManager1->Registered(print)) printHeld_ = HotKeyManager1->AddOrWatchGlobalHotKey(print) != 0;
        return;
    }
    HotKeyManager1->RemoveListener(this);
    if (printHeld_) HotKeyManager1->RemoveGlobalHotKey(print);
    printHeld_ = false;
}

void TForm22::AfterShow() {
    TCommandDialog::AfterShow();
    holdPrintScreen(true);
}

void TForm22::FormClose() { holdPrintScreen(false); }

// The key reaches the dialog itself when no grab holds it.
void TForm22::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Print && !e->isAutoRepeat()) return CopyScreen();
    TCommandDialog::keyPressEvent(e);
}

// Hidden until the window system has taken it off the screen.
void TForm22::BeforeScreenCopy() {
    if (!isVisible()) return;
    hiddenForCopy_ = true;
    hide();
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 300) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

void TForm22::AfterScreenCopy() {
    if (!hiddenForCopy_) return;
    hiddenForCopy_ = false;
    show();
    raise();
    activateWindow();
    updatePaste();
}

void TForm22::Button1Click() {
    const QImage picture = clipboardPicture();
    if (picture.isNull()) return;
    Capture = picture.convertToFormat(QImage::Format_RGB32);
    Image1->setPixmap(QPixmap::fromImage(Capture));
    Image1->resize(Capture.size());
    Label10->hide();
    DrawImg6();
    CenterImg6();
}

bool TForm22::eventFilter(QObject* watched, QEvent* e) {
    if (ScrollBox2 && watched == ScrollBox2->viewport() && e->type() == QEvent::Resize) CenterImg6();
    if (watched == Image1 && e->type() == QEvent::MouseMove) {
        const QPoint p = static_cast<QMouseEvent*>(e)->position().toPoint();
        Edit2->setText(u"Position souris :"_s + QString::number(p.x()) + u',' + QString::number(p.y()));
    }
    return TCommandDialog::eventFilter(watched, e);
}

// ---- The saved markers ----

void TForm22::Sauvegarder1Click() {
    platform::IniFile ini(Form1->GetConfigFileName());
    for (int i = 0; i < 4; ++i) {
        const int m = std::array{Zone1, Zone2, Image1Corner, Image2Corner}[size_t(i)];
        const QPoint c = Corner(m);
        const QString section = u"Dark%1"_s.arg(i + 1);
        ini.WriteString(section, u"Top"_s, QString::number(c.y()));
        ini.WriteString(section, u"Left"_s, QString::number(c.x()));
        settings().DarkMarkers[size_t(i)] = {c.x(), c.y()};
    }
    SaveIniFile(ini);
}

void TForm22::Restaurer1Click() {
    std::array<QPoint, 4> corners;
    for (int i = 0; i < 4; ++i) {
        const int m = std::array{Zone1, Zone2, Image1Corner, Image2Corner}[size_t(i)];
        const TSettings::TMarker& saved = settings().DarkMarkers[size_t(i)];
        const QPoint now = Corner(m);
        corners[size_t(m)] = {saved.Left.value_or(now.x()), saved.Top.value_or(now.y())};
    }
    placeMarkers(corners);
    if (!Capture.isNull()) {
        DrawImg6();
        CenterImg6();
    }
}

// ---- Opening and Valider ----

void TForm22::LoadDefaults() {
    Label11->show();
    ComboBox4->setEditText(New_Image_Name());
    ComboBox1->setEditText(QString());
    ComboBox2->setEditText(QString());
    ComboBox3->setEditText(u"1"_s);
    updatePaste();
    if (Button1Coller->isEnabled()) {
        Image4->PlaceAt({180, 150});
        Image5->PlaceAt({360, 300});
        Image3->move(520, 410);
        showCorners();
        Button1Coller->click();
    } else {
        Capture = QImage();
        Graphic = QImage();
        Image1->setPixmap(QPixmap());
        Image6->setPixmap(QPixmap());
        Label10->show();
    }
}

// Fields 2 to 9 that are not whole numbers count as 0.
void TForm22::LoadFields(const QString& params) {
    Label11->show();
    Graphic = QImage();
    Image6->setPixmap(QPixmap());
    TCommandDialog::LoadFields(params);
    loadGraphicFile(ComboBox4->currentText());  // also when the name stands there already
    const TParamFields f = SplitFields(params, ParamSeparator());
    placeMarkers({QPoint(numberOr0(f[2]), numberOr0(f[3])), QPoint(numberOr0(f[6]), numberOr0(f[7])),
                  QPoint(numberOr0(f[8]), numberOr0(f[9])), QPoint(numberOr0(f[4]), numberOr0(f[5]))});
    updatePaste();
}

bool TForm22::Validate() {
    if (!TCommandDialog::Validate()) return false;
    if (ComboBox4->currentText().trimmed().isEmpty()) return Refuse(u"Saisissez le nom du fichier de l'image."_s);
    return true;
}

QString TForm22::BuildParams() const {
    QString occurrence = ComboBox3->currentText();
    bool whole = false;
    occurrence.toInt(&whole);
    if (!whole && mdlfnct::GetVarType(occurrence) != u"Numerique") occurrence = u"1"_s;
    QStringList fields{ComboBox4->currentText()};
    for (int m : {Zone1, Zone2, Image1Corner, Image2Corner})
        fields << QString::number(Corner(m).x()) << QString::number(Corner(m).y());
    fields << ComboBox1->currentText() << ComboBox2->currentText();
    return JoinFields(fields) + occurrence;
}

// The file first: only OK replaces an existing file, and the row is written
// either way; a failed write leaves the row unwritten and the dialog open.
bool TForm22::saveGraphic() {
    const QString file = ComboBox4->currentText();
    if (QFileInfo::exists(file) &&
        MessageDlg(file + u" existe déja voulez vous le remplacer?"_s, MsgType::Warning, mbOK | mbCancel) != mrOk)
        return true;
    return SaveFile(file, Bitmap32(Graphic));
}

bool TForm22::Commit() {
    if (!FitsInRow(BuildParams()) || !saveGraphic()) return false;
    return TCommandDialog::Commit();
}
