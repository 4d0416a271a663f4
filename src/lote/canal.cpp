#include "lote/canal.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace velmora::lote {

namespace {

constexpr auto kLatido = std::chrono::milliseconds(100);

class Anillo {
public:
    explicit Anillo(const Canal& c)
        : c_(c), tareas_(std::max<size_t>(c.ventana, 1)), hechas_(tareas_.size(), false) {}

    bool Procesar() {
        std::vector<std::jthread> trabajadores;
        for (int i = 0; i < std::max(c_.hilos, 1); ++i)
            trabajadores.emplace_back([this] { Trabajar(); });
        bool bien = true;
        for (;;) {
            // Room for one more line: the oldest is written once done.
            if (leidas_ - escritas_ == Tamano() && !EscribirSiguiente(true)) {
                bien = false;
                break;
            }
            // Only the reader touches a free slot, so it fills it unlocked.
            Tarea& t = tareas_[leidas_ % tareas_.size()];
            if (!c_.leer(t)) break;
            {
                std::lock_guard l(m_);
                hechas_[leidas_ % tareas_.size()] = false;
                ++leidas_;
            }
            hayTrabajo_.notify_one();
            // Whatever is already done goes out now, so that results flow with the input.
            while (escritas_ < leidas_ && Hecha(escritas_)) {
                if (!EscribirSiguiente(false)) {
                    bien = false;
                    break;
                }
            }
            if (!bien) break;
        }
        {
            std::lock_guard l(m_);
            fin_ = true;
        }
        hayTrabajo_.notify_all();
        while (bien && escritas_ < leidas_)
            bien = EscribirSiguiente(true);
        if (!bien) {
            parar_.request_stop();
            std::lock_guard l(m_);
            tomadas_ = leidas_; // nothing more to take
        }
        hayTrabajo_.notify_all();
        return bien;
    }

private:
    int64_t Tamano() const { return static_cast<int64_t>(tareas_.size()); }

    bool Hecha(int64_t i) {
        std::lock_guard l(m_);
        return hechas_[i % tareas_.size()];
    }

    // Writes the oldest line in flight, waiting for it when `esperar`.
    bool EscribirSiguiente(bool esperar) {
        {
            std::unique_lock l(m_);
            while (!hechas_[escritas_ % tareas_.size()]) {
                if (!esperar) return true;
                if (!hayHecha_.wait_for(
                        l, kLatido, [&] { return bool(hechas_[escritas_ % tareas_.size()]); })) {
                    l.unlock();
                    if (c_.latido) c_.latido();
                    l.lock();
                }
            }
        }
        // A done slot is the writer's until it is filled again.
        const bool bien = c_.escribir(tareas_[escritas_ % tareas_.size()]);
        ++escritas_;
        if (c_.latido) c_.latido();
        return bien;
    }

    void Trabajar() {
        for (;;) {
            int64_t i;
            {
                std::unique_lock l(m_);
                hayTrabajo_.wait(l, [&] { return tomadas_ < leidas_ || fin_; });
                if (tomadas_ == leidas_) return;
                i = tomadas_++;
            }
            Tarea& t = tareas_[i % tareas_.size()];
            c_.trabajar(t, parar_.get_token());
            {
                std::lock_guard l(m_);
                hechas_[i % tareas_.size()] = true;
            }
            hayHecha_.notify_one(); // only the writer waits there
        }
    }

    const Canal& c_;
    std::vector<Tarea> tareas_;
    std::mutex m_;
    std::condition_variable hayTrabajo_, hayHecha_;
    std::vector<bool> hechas_; // guarded by m_
    int64_t leidas_ = 0;       // written by the reader under m_
    int64_t tomadas_ = 0;      // guarded by m_
    int64_t escritas_ = 0;     // the reader's own
    bool fin_ = false;         // guarded by m_
    std::stop_source parar_;
};

} // namespace

bool Procesar(const Canal& c) {
    return Anillo(c).Procesar();
}

} // namespace velmora::lote
