#pragma once

#include <QGuiApplication>
#include <QKeySequence>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QWidget>
#include <functional>

// A top-level window that exists at most once: made on first show, brought to the front when
// shown again, deleted when closed and made afresh the next time. It opens centred on the screen;
// Escape closes it.
class ModelessWindow {
public:
    explicit ModelessWindow(std::function<QWidget *()> create) : create_(std::move(create)) {}

    QWidget *show() {
        if (!window_) {
            window_ = create_();
            window_->setAttribute(Qt::WA_DeleteOnClose);
            // A reading window closes from the keyboard as a dialog would.
            auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), window_);
            QObject::connect(escape, &QShortcut::activated, window_.data(), &QWidget::close);
            // Each opens centred on the screen, wherever the exam window stands.
            if (const QScreen *screen = QGuiApplication::primaryScreen()) {
                QRect frame(QPoint(), window_->size());
                frame.moveCenter(screen->availableGeometry().center());
                window_->move(frame.topLeft());
            }
        }
        window_->show();
        window_->raise();
        window_->activateWindow();
        return window_;
    }

    // Closing a window that is not open does nothing and makes none.
    void close() {
        if (window_)
            window_->close();
    }

    QWidget *window() const { return window_; }

private:
    std::function<QWidget *()> create_;
    QPointer<QWidget> window_;
};
