#pragma once
// The window's platform on Qt: modal messages and file dialogs, focus and selection in the sum
// boxes, screen and window sizes in twips, and the throttled event pass of the search.

#include <QElapsedTimer>
#include <QStringList>

#include "ui/plataforma_ventana.h"

class QFileDialog;
class QMessageBox;

namespace velmora {

class VentanaQt;

class PlataformaQt : public PlataformaVentana {
public:
    // The search yields about a hundred million times per solve. Only one yield in `saltos`
    // reaches ProcesarEventos, which reads the clock, and the event loop runs when `intervaloMs`
    // have passed since the last pass ended: the screen stays live and a cancel is seen at once,
    // while a yield costs the search next to nothing.
    explicit PlataformaQt(int saltos = 255, int intervaloMs = 15);

    // The window whose widgets the platform drives; nullptr when it goes away.
    void Conectar(VentanaQt* ventana) { ventana_ = ventana; }

    void MostrarMensaje(std::string_view texto, std::string_view titulo, Icono icono) override;
    bool MostrarMensajeCon(const Mensaje& m, std::string_view boton) override;
    std::optional<Eleccion> PedirFichero(const Dialogo& d) override;
    void EnfocarSuma(int i) override;
    void SeleccionarSuma(int i) override;
    Twips TamanoPantalla() override;
    Twips TamanoVentana() override;
    void MoverVentana(Twips posicion) override;
    QString CarpetaPrograma() override;
    QString CarpetaConfiguracion() override;

    // Event passes that really ran the event loop, and the time they took.
    int Pasadas() const { return pasadas_; }
    qint64 NanosEnPasadas() const { return nanosEnPasadas_; }

    // "Nombre|*.ext|Otro|*.*" in Qt's form: one "Nombre (*.ext)" per filter; "*.*" means every
    // file, as it does in the filter string's own convention.
    static QStringList FiltrosQt(const QString& filtro);

    // Runs the event loop when the interval has passed since the last pass.
    void ProcesarEventos() override;

protected:
    // The modal steps, which tests replace so that nothing waits for a user.
    virtual void Presentar(QMessageBox& caja);
    virtual bool Presentar(QFileDialog& dialogo);

private:
    void MostrarEstado();
    void Reactivar();

    VentanaQt* ventana_ = nullptr;
    QElapsedTimer reloj_;
    qint64 ultimaPasada_ = 0;
    qint64 intervalo_;
    int pasadas_ = 0;
    qint64 nanosEnPasadas_ = 0;
};

} // namespace velmora
