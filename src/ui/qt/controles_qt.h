#pragma once
// The window's controls on Qt: labels painted from a look, the 3-D panels, and the sum boxes
// with their key filter and focus events.

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>
#include <functional>
#include <string>

#include "ui/apariencia.h"
#include "ui/vista_juego.h"

namespace velmora {

// Turns a look's colours into screen colours; the system colours come from the palette.
using ResolverColor = std::function<QColor(const Color&)>;

// A label: a caption on a look, optionally with a single-line border; clicks with the left
// button (released inside it) are reported.
class Rotulo : public QLabel {
public:
    Rotulo(bool borde, bool centrado, QWidget* padre);

    // Show a caption, a look; nothing happens when it is the one shown.
    void PonerTexto(const std::string& texto);
    void PonerAspecto(const Aspecto& aspecto, const ResolverColor& resolver);
    // An outline drawn inside the border, over the look: it changes neither colour.
    void PonerMarca(bool marca);
    bool Marcada() const { return marca_; }
    // The keyboard's cursor: a thin frame on the cell's edge, over its border; it changes
    // neither colour either.
    void PonerCursor(bool cursor);
    bool ConCursor() const { return cursor_; }
    // What the cell shows of a game, over its look and caption; nothing outside play.
    void PonerJuego(const VistaJuego& v);
    const VistaJuego& Juego() const { return juego_; }
    // Forgets the look shown, so that the next PonerAspecto resolves it again (the palette
    // changed).
    void Olvidar() { conocido_ = false; }

    const QColor& Fondo() const { return fondo_; }
    const QColor& ColorTexto() const { return texto_; }

    std::function<void()> alPulsar;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    bool borde_;
    bool marca_ = false;
    bool cursor_ = false;
    bool conocido_ = false;
    VistaJuego juego_;
    std::string textoMostrado_;
    Aspecto aspecto_;
    QColor fondo_, texto_;
};

// A bevelled panel with an optional caption centred at the top.
class Panel3D : public QFrame {
public:
    Panel3D(const QString& titulo, const QColor& colorTitulo, QWidget* padre);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QString titulo_;
    QColor colorTitulo_;
};

// Typing may leave at most two characters; a longer text the program put there (a sum read from
// a file) stays whole until the user changes it.
class ValidadorSuma : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& texto, int& posicion) const override;
    QString textoPrograma;
};

// A sum box. Each typed character goes through the key filter first; focus gains are reported
// with their reason.
class CajaSuma : public QLineEdit {
public:
    explicit CajaSuma(QWidget* padre);

    // Puts a text there as the program, keeping it whole even when it is longer than typing
    // allows.
    void PonerTexto(const QString& texto);

    std::function<void(Qt::FocusReason)> alEntrar;
    std::function<void()> alSalir;
    // Returns the character code to keep, 0 to drop the key.
    std::function<int(int)> alTeclear;
    // The window's shortcuts, which the box must not take for itself; asked again at every key,
    // so that the answer may depend on the box and the clipboard.
    std::function<bool(const QKeySequence&)> esAtajo;

protected:
    bool event(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    ValidadorSuma* validador_;
};

} // namespace velmora
