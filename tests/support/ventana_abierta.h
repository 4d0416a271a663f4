#pragma once
// The Qt window on the scripted platform, shown and active on the offscreen platform, and keys
// typed where the keyboard is.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "ui/qt/guion.h"
#include "ui/qt/ventana_qt.h"

namespace velmora {

inline void Mostrar(QWidget& w) {
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
}

// A key where the keyboard is, as a user types it.
inline void Tecla(int tecla, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(tecla), mods);
}

class VentanaAbierta : public ::testing::Test {
protected:
    void SetUp() override { Mostrar(w); }
    QImage Cliente() const { return w.Cliente()->grab().toImage(); }

    PlataformaGuion plataforma;
    Form1 form{plataforma};
    VentanaQt w{form, plataforma};
};

} // namespace velmora
