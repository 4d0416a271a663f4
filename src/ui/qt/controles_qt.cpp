#include "ui/qt/controles_qt.h"

#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

#include "ui/disposicion.h"

namespace velmora {

// ---- Rotulo -------------------------------------------------------------------------------

Rotulo::Rotulo(bool borde, bool centrado, QWidget* padre) : QLabel(padre), borde_(borde) {
    setAlignment(centrado ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Rotulo::PonerTexto(const std::string& texto) {
    if (texto == textoMostrado_) return;
    textoMostrado_ = texto;
    setText(QString::fromStdString(texto));
}

void Rotulo::PonerAspecto(const Aspecto& aspecto, const ResolverColor& resolver) {
    if (conocido_ && aspecto == aspecto_) return;
    conocido_ = true;
    aspecto_ = aspecto;
    fondo_ = resolver(aspecto.fondo);
    texto_ = resolver(aspecto.texto);
    update();
}

void Rotulo::PonerMarca(bool marca) {
    if (marca == marca_) return;
    marca_ = marca;
    update();
}

void Rotulo::PonerCursor(bool cursor) {
    if (cursor == cursor_) return;
    cursor_ = cursor;
    update();
}

void Rotulo::PonerJuego(const VistaJuego& v) {
    if (v == juego_) return;
    juego_ = v;
    update();
}

namespace {

// The player's digits, unlike the givens' black; a clash in red. On the palette's dark colours
// both turn light, so that they read on every segment.
const QColor kColorJugador(16, 48, 176), kColorJugadorClaro(255, 255, 170), kColorChoque(220, 0, 0),
    kColorChoqueClaro(255, 140, 140), kColorPista(0, 150, 60);

bool Oscuro(const QColor& c) {
    return c.red() * 299 + c.green() * 587 + c.blue() * 114 < 110 * 1000;
}

// Pencil marks: each digit in its place of a 3 × 3 grid, as on a phone's keypad.
void PintarMarcas(QPainter& p, const QRect& r, uint16_t marcas, const QFont& base, bool oscuro) {
    QFont f = base;
    f.setBold(false);
    f.setPixelSize(std::max(7, r.height() / 3 - 1));
    p.setFont(f);
    p.setPen(oscuro ? QColor(235, 235, 235) : QColor(60, 60, 60));
    const QRect dentro = r.adjusted(2, 1, -2, -1);
    const int w = dentro.width() / 3, h = dentro.height() / 3;
    for (int d = 1; d <= 9; ++d)
        if (marcas & (1u << d))
            p.drawText(QRect(dentro.left() + (d - 1) % 3 * w, dentro.top() + (d - 1) / 3 * h, w, h),
                       Qt::AlignCenter, QString::number(d));
}

} // namespace

void Rotulo::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), fondo_);
    const bool oscuro = Oscuro(fondo_);
    const QColor& choque = oscuro ? kColorChoqueClaro : kColorChoque;
    if (!text().isEmpty() && !juego_.oculta) {
        p.setPen(juego_.roja ? choque : texto_);
        p.setFont(font());
        p.drawText(rect(), static_cast<int>(alignment()), text());
    }
    if (juego_.cifra != 0 && !juego_.oculta) {
        p.setPen(juego_.roja ? choque : oscuro ? kColorJugadorClaro : kColorJugador);
        p.setFont(font());
        p.drawText(rect(), Qt::AlignCenter, QString::number(juego_.cifra));
    } else if (juego_.marcas != 0 && !juego_.oculta) {
        PintarMarcas(p, rect(), juego_.marcas, font(), oscuro);
    }
    if (juego_.bordesMal != 0) {
        p.setPen(QPen(choque, 2));
        const QRect r = rect().adjusted(2, 2, -2, -2);
        if (juego_.bordesMal & kArriba) p.drawLine(r.topLeft(), r.topRight());
        if (juego_.bordesMal & kDerecha) p.drawLine(r.topRight(), r.bottomRight());
        if (juego_.bordesMal & kAbajo) p.drawLine(r.bottomLeft(), r.bottomRight());
        if (juego_.bordesMal & kIzquierda) p.drawLine(r.topLeft(), r.bottomLeft());
    }
    if (juego_.pista) {
        p.setPen(QPen(kColorPista, 2));
        p.drawRect(rect().adjusted(3, 3, -3, -3));
    }
    if (borde_) {
        p.setPen(QColor(0, 0, 0));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (marca_) {
        p.setPen(QPen(QColor(220, 0, 0), 3));
        p.drawRect(rect().adjusted(3, 3, -4, -4));
    }
    if (cursor_) {
        // Two pixels wide, blue outside and white inside, so that it shows on every look.
        p.setPen(QColor(0, 64, 255));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        p.setPen(QColor(255, 255, 255));
        p.drawRect(rect().adjusted(1, 1, -2, -2));
    }
}

void Rotulo::mousePressEvent(QMouseEvent* e) {
    // Taking the press makes the release come here too.
    if (e->button() == Qt::LeftButton)
        e->accept();
    else
        QLabel::mousePressEvent(e);
}

void Rotulo::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && alPulsar) {
        alPulsar();
        return;
    }
    QLabel::mouseReleaseEvent(e);
}

// ---- Panel3D ------------------------------------------------------------------------------

Panel3D::Panel3D(const QString& titulo, const QColor& colorTitulo, QWidget* padre)
    : QFrame(padre), titulo_(titulo), colorTitulo_(colorTitulo) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setAutoFillBackground(true);
}

void Panel3D::paintEvent(QPaintEvent* e) {
    QFrame::paintEvent(e);
    if (titulo_.isEmpty()) return;
    // Above the first row, which begins 600 twips below the top edge.
    QPainter p(this);
    p.setFont(font());
    p.setPen(colorTitulo_);
    p.drawText(QRect(0, 0, width(), 600 / kTwipsPorPixel), Qt::AlignCenter, titulo_);
}

// ---- Sum boxes ----------------------------------------------------------------------------

QValidator::State ValidadorSuma::validate(QString& texto, int&) const {
    return texto.size() <= kLargoSuma || texto == textoPrograma ? Acceptable : Invalid;
}

CajaSuma::CajaSuma(QWidget* padre) : QLineEdit(padre), validador_(new ValidadorSuma(this)) {
    setValidator(validador_);
}

void CajaSuma::PonerTexto(const QString& texto) {
    validador_->textoPrograma = texto;
    setText(texto);
}

bool CajaSuma::event(QEvent* e) {
    // A line edit claims some key combinations before the window's shortcuts see them.
    if (e->type() == QEvent::ShortcutOverride && esAtajo &&
        esAtajo(QKeySequence(static_cast<QKeyEvent*>(e)->keyCombination()))) {
        e->ignore();
        return true;
    }
    return QLineEdit::event(e);
}

void CajaSuma::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    if (alEntrar) alEntrar(e->reason());
}

void CajaSuma::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    if (alSalir) alSalir();
}

void CajaSuma::keyPressEvent(QKeyEvent* e) {
    const QString texto = e->text();
    // Keys without a character (arrows, Delete) are not typed characters, nor are the box's own
    // commands with Ctrl (copy, paste), whose text some platforms give as the plain letter.
    if (texto.isEmpty() || e->key() == Qt::Key_Delete || !alTeclear ||
        (e->modifiers() & Qt::ControlModifier)) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    QString filtrado;
    for (const QChar c : texto) {
        const int codigo = alTeclear(static_cast<int16_t>(c.unicode()));
        if (codigo == 0) {
            e->accept();
            return;
        }
        filtrado += QChar(static_cast<char16_t>(codigo));
    }
    if (filtrado == texto) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    QKeyEvent cambiado(e->type(), e->key(), e->modifiers(), filtrado, e->isAutoRepeat(),
                       static_cast<quint16>(e->count()));
    QLineEdit::keyPressEvent(&cambiado);
}

} // namespace velmora
