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

// Keys where the keyboard is, in turn, as a user types them: Tecla(Qt::Key_5, Qt::SHIFT |
// Qt::Key_3).
template <class... K> void Tecla(K... teclas) {
    for (const QKeyCombination k : {QKeyCombination(teclas)...})
        QTest::keyClick(QApplication::focusWidget(), k.key(), k.keyboardModifiers());
}

// The digit key d.
inline Qt::Key Cifra(int d) {
    return static_cast<Qt::Key>(Qt::Key_0 + d);
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
