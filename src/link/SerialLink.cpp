#include "link/SerialLink.h"

#include <QDeadlineTimer>
#include <algorithm>
#include <utility>

#include "link/PortDevice.h"

namespace {

// The settings store keeps the line codes of the original serial API.
constexpr std::pair<int, QSerialPort::Parity> kParities[] = {{0, QSerialPort::NoParity},
                                                             {1, QSerialPort::OddParity},
                                                             {2, QSerialPort::EvenParity},
                                                             {3, QSerialPort::MarkParity},
                                                             {4, QSerialPort::SpaceParity}};
constexpr std::pair<int, QSerialPort::StopBits> kStopBits[] = {
    {0, QSerialPort::OneStop}, {1, QSerialPort::OneAndHalfStop}, {2, QSerialPort::TwoStop}};
constexpr std::pair<int, QSerialPort::DataBits> kDataBits[] = {
    {5, QSerialPort::Data5}, {6, QSerialPort::Data6}, {7, QSerialPort::Data7}, {8, QSerialPort::Data8}};

template <typename Value, size_t N>
const Value* Lookup(const std::pair<int, Value> (&table)[N], int code) {
  auto it = std::find_if(std::begin(table), std::end(table), [code](const auto& row) { return row.first == code; });
  return it == std::end(table) ? nullptr : &it->second;
}

LinkResult ResultOf(const QSerialPort& port) {
  switch (port.error()) {
    case QSerialPort::DeviceNotFoundError:
      return LinkResult::Serial(kLinkInvalidPort);
    case QSerialPort::PermissionError:  // the lock file or exclusive mode of another holder
      return LinkResult::Serial(kLinkPortInUse);
    default:
      return LinkResult::Serial(kLinkSystemError, port.errorString().toStdString());
  }
}

}  // namespace

LinkResult SerialLink::OpenPort(const std::string& portName, const LinkSettings& settings) {
  ClosePort();
  const std::string name = NormalizePortName(portName);
  LinkResult result = CheckPortDevice(name);
  if (!result.ok()) return result;

  m_port.setPortName(QString::fromLocal8Bit(name.data(), static_cast<qsizetype>(name.size())));
  if (!m_port.open(QIODevice::WriteOnly)) return ResultOf(m_port);
  result = ApplyLineSettings(settings);
  if (!result.ok()) {
    ClosePort();
    return result;
  }
  // Pseudo-terminals and some adapters have no modem lines; refusing DTR there is no fault.
  m_port.setDataTerminalReady(true);
  m_port.clearError();
  return {};
}

LinkResult SerialLink::ApplyLineSettings(const LinkSettings& settings) {
  const auto* dataBits = Lookup(kDataBits, settings.dataBits);
  const auto* parity = Lookup(kParities, settings.parityCode);
  const auto* stopBits = Lookup(kStopBits, settings.stopBitsCode);
  if (!dataBits || !parity || !stopBits) return LinkResult::Serial(kLinkSystemError, "Unsupported line settings");
  if (!m_port.setBaudRate(settings.baudRate) || !m_port.setDataBits(*dataBits) || !m_port.setParity(*parity) ||
      !m_port.setStopBits(*stopBits))
    return ResultOf(m_port);
  return {};
}

LinkResult SerialLink::WritePort(std::string_view text) {
  if (!m_port.isOpen()) return LinkResult::Serial(kLinkSendError);
  const auto size = static_cast<qint64>(text.size());
  if (m_port.write(text.data(), size) != size) return LinkResult::Serial(kLinkSendError);
  // waitForBytesWritten returns after the first chunk leaves; wait until nothing is left.
  QDeadlineTimer deadline(kWriteTimeoutMs);
  while (m_port.bytesToWrite() > 0)
    if (!m_port.waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
      return m_port.error() == QSerialPort::TimeoutError ? LinkResult::SerialTimeout()
                                                         : LinkResult::Serial(kLinkSendError);
  return {};
}

void SerialLink::ClosePort() {
  if (!m_port.isOpen()) return;
  // Unsent bytes of a failed write would hold up closing for as long as the line stalls.
  if (m_port.bytesToWrite() > 0) m_port.clear(QSerialPort::Output);
  m_port.close();
}
