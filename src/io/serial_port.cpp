#include "io/serial_port.h"

#include <array>

#include "io/asio.h"
#include "io/serial_lines.h"
#include "io/timed_run.h"

namespace brezzolo {

// The port, the context that runs its waits, and the bytes received and not read yet.
struct SerialPort::Port {
    asio::io_context context{1};
    asio::serial_port port{context};
    std::array<std::uint8_t, 256> received{};
    std::size_t next = 0;
    std::size_t end = 0;

    // Runs the operation started on the port until it ends or the timeout passes.
    void run(std::chrono::milliseconds timeout) {
        runUntil(context, std::chrono::steady_clock::now() + timeout, [this] {
            asio::error_code ignored;
            port.cancel(ignored);
        });
    }
};

SerialPort::SerialPort() = default;

SerialPort::~SerialPort() {
    close();
}

bool SerialPort::isOpen() const {
    return port_ != nullptr && port_->port.is_open();
}

SerialOpenResult SerialPort::open(const std::string& name, const SerialSettings& settings) {
    close();
    SerialOpenResult result;
    auto fail = [&](SerialOpenFailure failure, const std::string& what, const std::string& text) {
        port_.reset();
        result.failure = failure;
        result.errorText = "serial port " + name + ": " + what + ": " + text;
        return result;
    };

    port_ = std::make_unique<Port>();
    asio::serial_port& port = port_->port;
    // On Windows Asio opens "COM12" as "\\.\COM12", the name every COM port answers to.
    asio::error_code error;
    port.open(name, error);
    if (error) {
        return fail(classifyOpenError(error), "cannot open", error.message());
    }
    SerialOpenFailure lockFailure = SerialOpenFailure::InUse;
    if (auto text = lockExclusively(port, lockFailure)) {
        return fail(lockFailure,
                    lockFailure == SerialOpenFailure::InUse ? "in use by another program"
                                                            : "cannot hold it exclusively",
                    *text);
    }
    using Base = asio::serial_port_base;
    auto setOption = [&](const auto& option) {
        if (!error) {
            port.set_option(option, error);
        }
    };
    setOption(Base::baud_rate(settings.baud));
    setOption(Base::character_size(8));
    setOption(Base::parity(Base::parity::none));
    setOption(Base::stop_bits(Base::stop_bits::one));
    setOption(Base::flow_control(Base::flow_control::none));
    if (error) {
        return fail(SerialOpenFailure::Other, "cannot set it up", error.message());
    }
    if (auto text = finishRawMode(port)) {
        return fail(SerialOpenFailure::Other, "cannot set raw mode", *text);
    }
    if (auto text = setModemLines(port, settings.modemLines)) {
        result.modemLinesFailed = true;
        result.modemLinesText = "serial port " + name + ": cannot set DTR and RTS: " + *text;
    }
    name_ = name;
    discardInput();
    return result;
}

IoStatus SerialPort::failed(const std::string& what, const std::string& systemText) {
    errorText_ = "serial port " + name_ + ": " + what + ": " + systemText;
    return IoStatus::Failed;
}

IoStatus SerialPort::write(std::span<const std::uint8_t> bytes, std::chrono::milliseconds timeout) {
    if (!isOpen()) {
        return failed("cannot write", "not open");
    }
    asio::error_code result = asio::error::would_block;
    asio::async_write(port_->port, asio::buffer(bytes.data(), bytes.size()),
                      [&](const asio::error_code& e, std::size_t) { result = e; });
    port_->run(timeout);
    if (result == asio::error::operation_aborted) {
        return IoStatus::TimedOut;
    }
    if (result) {
        return failed("cannot write", result.message());
    }
    return IoStatus::Ok;
}

IoStatus SerialPort::readByte(std::uint8_t& byte, std::chrono::milliseconds timeout) {
    if (!isOpen()) {
        return failed("cannot read", "not open");
    }
    Port& p = *port_;
    if (p.next == p.end) {
        asio::error_code result = asio::error::would_block;
        std::size_t count = 0;
        p.port.async_read_some(asio::buffer(p.received),
                               [&](const asio::error_code& e, std::size_t n) {
                                   result = e;
                                   count = n;
                               });
        p.run(timeout);
        if (result == asio::error::operation_aborted) {
            return IoStatus::TimedOut;
        }
        // The end of the data (on Linux a terminal gone answers with it or with EIO): the
        // port is no more.
        if (result == asio::error::eof) {
            return failed("cannot read", "the port has gone");
        }
        if (result) {
            return failed("cannot read", result.message());
        }
        p.next = 0;
        p.end = count;
        if (count == 0) {
            return IoStatus::TimedOut;
        }
    }
    byte = p.received[p.next++];
    return IoStatus::Ok;
}

void SerialPort::discardInput() {
    if (isOpen()) {
        port_->next = port_->end = 0;
        discardSystemInput(port_->port);
    }
}

void SerialPort::close() {
    if (port_ != nullptr) {
        asio::error_code ignored;
        port_->port.close(ignored);
        port_.reset();
    }
}

}  // namespace brezzolo
