#pragma once

#include "platform/forms/Colour.h"
#include "platform/forms/Control.h"

#include <QWidget>
#include <vector>

namespace forms {

class Item;
class TextBox;

// A classic form: a fixed-size top-level window whose labels, images and shapes are painted on
// its own surface in stacking order (first added in front), with text boxes as child widgets
// above them all. The form does its own hit testing and mouse capture, so the same dispatch serves
// real mouse events and tests.
class Form : public QWidget {
    Q_OBJECT
public:
    // The frame as the program's height arithmetic counts it, whatever the window manager draws.
    static constexpr int frameTopTwips = 330;
    static constexpr int frameSideTwips = 45;

    Form();
    ~Form() override;

    QString Caption() const { return windowTitle(); }
    void setCaption(const QString& caption) { setWindowTitle(caption); }
    void setBackColor(OleColor colour);
    void setClientSize(double widthTwips, double heightTwips);
    // The outer height in twips, frame included, as last set.
    float Height() const;
    // Reaches the window system when the running handler is done, and at most as tall as the
    // screen's available height.
    void setHeight(double twips);
    // The tallest Height() that the screen's available height holds (frame included, twips); a
    // handler that sizes the form to its content keeps within it so that nothing is cut off.
    float TallestHeight() const;
    float Width() const;

    // Adds controls; items stack in the order added, the first in front.
    void add(Item& item);
    void add(TextBox& box);

    enum class MouseAction { Down, Move, Up };
    // Routes a mouse event at a point of the client area (twips) to the control that owns it: the
    // control holding the capture, else the topmost visible one that takes mouse events, else the
    // form itself.
    void dispatchMouse(MouseAction action, QPointF clientTwips, int button, int buttons, int shift);
    // The control under a point, or null for the bare surface.
    Control* controlAt(QPointF clientTwips) const;
    // Runs what a press and release of the left button on a control run, its click included,
    // for the keyboard and assistive technology. A hidden control, which the mouse cannot reach,
    // does nothing.
    void pressAndRelease(Control& control);
    // The painted controls, in stacking order.
    const std::vector<Item*>& items() const { return items_; }

    // The form's own events.
    MouseHandler MouseMove;

    // The form that is active in the program, or null.
    static Form* activeForm();
    // Handles the events waiting for this thread, running their handlers, then returns. Input
    // from the window system that arrived within the last millisecond may wait for the next call.
    static void processPendingMessages();
    // The same, for a handler of this form: once the form has been closed it throws FormClosed,
    // which ends the handler (and every one it runs inside) so the program can end at once.
    void processPendingMessagesUnlessClosed();
    // Runs an event handler that traps nothing: a failure is reported to the user, never passed
    // on to the window system.
    static void runHandler(const std::function<void()>& handler);
    // Where failures that leave a handler go; by default the user is told in a message box.
    static std::function<void(const QString&)>& failureReporter();

    void repaintArea(const QRect& pixels);
    void adopt(TextBox& box);

signals:
    // The user closed the form.
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void deliver(MouseAction action, Control* target, QPointF clientTwips, int button, int buttons,
                 int shift);
    void forwardMouse(QMouseEvent* event, QPointF clientPixels);
    void forwardKey(QObject* watched, QKeyEvent* event);
    bool isFocusMoveWithinForm(Qt::FocusReason reason);
    void applyHeight();
    int tallestClientHeight() const; // pixels
    // Ends a capture whose release will not come, telling the control that held it.
    void loseCapture();

    std::vector<Item*> items_;
    std::vector<TextBox*> boxes_;
    OleColor backColor_ = systemWindowBackground;
    // Capture: the control pressed (or the form, as null with captured_ set) keeps the mouse
    // until every button is up.
    bool capturing_ = false;
    Control* captured_ = nullptr;
    bool activatedBefore_ = false;
    int clientHeight_ = 0; // pixels, as last set
    bool heightPending_ = false;
    bool closed_ = false;
};

} // namespace forms
