#include "platform/forms/Form.h"

#include "platform/forms/AccessibleForm.h"
#include "platform/forms/ErrorPolicy.h"
#include "platform/forms/Item.h"
#include "platform/forms/TextBox.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <limits>
#include <utility>

namespace forms {

namespace {

Form* s_activeForm = nullptr;

int buttonCode(Qt::MouseButtons buttons) {
    int code = 0;
    if (buttons & Qt::LeftButton)
        code |= LeftButton;
    if (buttons & Qt::RightButton)
        code |= RightButton;
    if (buttons & Qt::MiddleButton)
        code |= MiddleButton;
    return code;
}

int shiftCode(Qt::KeyboardModifiers modifiers) {
    int code = 0;
    if (modifiers & Qt::ShiftModifier)
        code |= ShiftKey;
    if (modifiers & Qt::ControlModifier)
        code |= CtrlKey;
    if (modifiers & Qt::AltModifier)
        code |= AltKey;
    return code;
}

} // namespace

// A text box gets the focus, as its got-focus event means it, when the focus moves to it inside
// the form: Tab, Shift+Tab, a click, a shortcut, the program's own call. The form becoming active
// again, or a popup (a context menu, a message box) closing, hands the focus back to the box that
// had it; treating that as a new focus would select the text under the user's next keystroke.
// The form's first activation is the start-up focus.
bool Form::isFocusMoveWithinForm(Qt::FocusReason reason) {
    switch (reason) {
    case Qt::ActiveWindowFocusReason: {
        const bool startUp = !activatedBefore_;
        activatedBefore_ = true;
        return startUp;
    }
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
        return false;
    default:
        return true;
    }
}

Form::Form() {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    AccessibleForm::installFactory();
}

Form::~Form() {
    if (s_activeForm == this)
        s_activeForm = nullptr;
}

void Form::setBackColor(OleColor colour) {
    backColor_ = colour;
    update();
}

void Form::setClientSize(double widthTwips, double heightTwips) {
    clientHeight_ = pixelsFromTwips(heightTwips);
    setFixedSize(pixelsFromTwips(widthTwips), clientHeight_);
}

float Form::Height() const {
    return float(twipsFromPixels(clientHeight_) + frameTopTwips + frameSideTwips);
}

// A handler may set the height several times on its way to the final one (the listing first
// sets the uncut height, then the cut one). The window system is given the height once the
// handler is done, so it never sees the ones in between; Height reads back the latest at once.
void Form::setHeight(double twips) {
    clientHeight_ = std::max(0, pixelsFromTwips(twips - frameTopTwips - frameSideTwips));
    if (!isVisible()) {
        applyHeight();
        return;
    }
    if (!heightPending_) {
        heightPending_ = true;
        QMetaObject::invokeMethod(
            this, [this] { applyHeight(); }, Qt::QueuedConnection);
    }
}

// Never taller than the screen's free area: a window manager moves a window that does not fit,
// and may leave its title bar out of reach.
void Form::applyHeight() {
    heightPending_ = false;
    setFixedHeight(std::min(clientHeight_, tallestClientHeight()));
}

int Form::tallestClientHeight() const {
    const QScreen* where = screen();
    if (!where)
        return QWIDGETSIZE_MAX;
    const int drawnFrame = frameGeometry().height() - height();
    const int frame = drawnFrame > 0 ? drawnFrame : pixelsFromTwips(frameTopTwips + frameSideTwips);
    return std::max(0, where->availableGeometry().height() - frame);
}

float Form::TallestHeight() const {
    const int tallest = tallestClientHeight();
    if (tallest == QWIDGETSIZE_MAX)
        return std::numeric_limits<float>::max();
    return float(twipsFromPixels(tallest) + frameTopTwips + frameSideTwips);
}

float Form::Width() const {
    return float(twipsFromPixels(width()) + 2 * frameSideTwips);
}

void Form::add(Item& item) {
    item.form_ = this;
    items_.push_back(&item);
    item.attached();
    repaintArea(item.pixelRect());
}

void Form::add(TextBox& box) {
    box.form_ = this;
    boxes_.push_back(&box);
    box.attached();
}

void Form::adopt(TextBox& box) {
    QWidget* w = box.widget();
    w->installEventFilter(this);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(w))
        area->viewport()->installEventFilter(this);
    w->setGeometry(box.pixelRect());
    w->setVisible(box.Visible());
}

Control* Form::controlAt(QPointF p) const {
    for (TextBox* box : boxes_)
        if (box->widget() && box->Visible() && box->contains(p))
            return box;
    for (Item* item : items_)
        if (item->Visible() && item->takesMouse() && item->contains(p))
            return item;
    return nullptr;
}

void Form::dispatchMouse(MouseAction action, QPointF p, int button, int buttons, int shift) {
    // A release that never arrived (the window lost the pointer in between) shows as a move with
    // no button held, or a press with no other button held: the capture is over.
    if (capturing_ && (action == MouseAction::Move   ? buttons == 0
                       : action == MouseAction::Down ? (buttons & ~button) == 0
                                                     : false))
        loseCapture();
    Control* target = capturing_ ? captured_ : controlAt(p);
    if (action == MouseAction::Down && !capturing_) {
        capturing_ = true;
        captured_ = target;
    }
    // The release of the last button ends the capture before its handler runs: a handler that
    // lets messages be processed (the listing) must see later moves go where the pointer is.
    const bool released = action == MouseAction::Up && buttons == 0 && capturing_;
    if (released) {
        capturing_ = false;
        captured_ = nullptr;
    }
    deliver(action, target, p, button, buttons, shift);
    // A click is the primary button's.
    if (released && button == LeftButton && target && target->Click && target->contains(p))
        runHandler(target->Click);
}

void Form::loseCapture() {
    if (!capturing_)
        return;
    Control* had = std::exchange(captured_, nullptr);
    capturing_ = false;
    if (had && had->LostCapture)
        runHandler(had->LostCapture);
}

void Form::deliver(MouseAction action, Control* target, QPointF p, int button, int buttons,
                   int shift) {
    if (!target) {
        if (action == MouseAction::Move && MouseMove)
            runHandler([&] { MouseMove({buttons, shift, float(p.x()), float(p.y())}); });
        return;
    }
    const MouseArgs args{action == MouseAction::Move ? buttons : button, shift,
                         float(p.x() - target->Left()), float(p.y() - target->Top())};
    const MouseHandler& handler = action == MouseAction::Down ? target->MouseDown
                                  : action == MouseAction::Up ? target->MouseUp
                                                              : target->MouseMove;
    if (handler)
        runHandler([&] { handler(args); });
}

void Form::pressAndRelease(Control& control) {
    if (!control.Visible())
        return;
    const QPointF centre(control.Left() + control.Width() / 2,
                         control.Top() + control.Height() / 2);
    deliver(MouseAction::Down, &control, centre, LeftButton, LeftButton, 0);
    deliver(MouseAction::Up, &control, centre, LeftButton, 0, 0);
    if (control.Click)
        runHandler(control.Click);
}

Form* Form::activeForm() {
    return s_activeForm;
}

void Form::processPendingMessages() {
    // Posted events (repaints, queued calls, posted input) go every time. The window system's
    // queue, which takes a system call to look at, goes at most once a millisecond: a handler
    // that lets messages through once a character stays responsive without paying that per
    // character.
    static QElapsedTimer sinceWindowSystem;
    if (sinceWindowSystem.isValid() && sinceWindowSystem.nsecsElapsed() < 1'000'000) {
        QCoreApplication::sendPostedEvents();
        return;
    }
    sinceWindowSystem.start();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void Form::processPendingMessagesUnlessClosed() {
    processPendingMessages();
    if (closed_)
        throw FormClosed{};
}

void Form::closeEvent(QCloseEvent* event) {
    closed_ = true;
    QWidget::closeEvent(event);
    emit closed();
}

std::function<void(const QString&)>& Form::failureReporter() {
    static std::function<void(const QString&)> reporter = [](const QString& what) {
        qWarning("Quilldex 2: %s", qUtf8Printable(what));
    };
    return reporter;
}

void Form::runHandler(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const FormClosed&) {
        // The window is gone; the handler ended on purpose.
    } catch (const std::exception& e) {
        failureReporter()(QString::fromUtf8(e.what()));
    } catch (...) {
        failureReporter()(QStringLiteral("unknown failure"));
    }
}

void Form::repaintArea(const QRect& pixels) {
    update(pixels);
}

void Form::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(backColor_));
    // Back to front, so the first item ends up on top.
    for (auto it = items_.rbegin(); it != items_.rend(); ++it)
        if ((*it)->Visible())
            (*it)->paint(painter);
}

void Form::forwardMouse(QMouseEvent* event, QPointF clientPixels) {
    const MouseAction action = event->type() == QEvent::MouseButtonPress     ? MouseAction::Down
                               : event->type() == QEvent::MouseButtonRelease ? MouseAction::Up
                                                                             : MouseAction::Move;
    dispatchMouse(action, clientPixels * twipsPerPixel, buttonCode(event->button()),
                  buttonCode(event->buttons()), shiftCode(event->modifiers()));
}

void Form::mousePressEvent(QMouseEvent* event) {
    forwardMouse(event, event->position());
}
void Form::mouseMoveEvent(QMouseEvent* event) {
    forwardMouse(event, event->position());
}
void Form::mouseReleaseEvent(QMouseEvent* event) {
    forwardMouse(event, event->position());
}

bool Form::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* widget = static_cast<QWidget*>(watched);
        forwardMouse(mouse, widget->mapTo(this, mouse->position()));
        break;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        forwardKey(watched, static_cast<QKeyEvent*>(event));
        break;
    case QEvent::FocusIn:
        if (isFocusMoveWithinForm(static_cast<QFocusEvent*>(event)->reason()))
            for (TextBox* box : boxes_)
                if (box->widget() == watched && box->GotFocus)
                    runHandler(box->GotFocus);
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// Key events reach a box's handlers as a classic form raises them: the release of an auto-repeated
// key raises nothing until the key is let go.
void Form::forwardKey(QObject* watched, QKeyEvent* event) {
    const bool down = event->type() == QEvent::KeyPress;
    if (!down && event->isAutoRepeat())
        return;
    const int code = keyCodeOf(event->key());
    if (!code)
        return;
    const KeyArgs args{code, shiftCode(event->modifiers())};
    for (TextBox* box : boxes_) {
        if (box->widget() != watched)
            continue;
        if (const KeyHandler& handler = down ? box->KeyDown : box->KeyUp)
            runHandler([&] { handler(args); });
    }
}

void Form::showEvent(QShowEvent* event) {
    s_activeForm = this;
    QWidget::showEvent(event);
}

void Form::hideEvent(QHideEvent* event) {
    loseCapture();
    if (s_activeForm == this)
        s_activeForm = nullptr;
    QWidget::hideEvent(event);
}

void Form::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            s_activeForm = this;
        else {
            activatedBefore_ = true; // whatever activates it next is not the start-up
            loseCapture();           // the pointer goes with the activation
        }
    }
    QWidget::changeEvent(event);
}

} // namespace forms
