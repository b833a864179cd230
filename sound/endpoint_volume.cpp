#include "sound/endpoint_volume.h"

#include <windows.h>
#include <endpointvolume.h>
#include <mmdeviceapi.h>
#include <objbase.h>

#include "common/handle.h"

namespace vnx {
namespace {

template <class Interface>
struct ComInterfaceTraits {
  using Type = Interface*;
  static Type Invalid() { return nullptr; }
  static void Close(Type object) { object->Release(); }
};
template <class Interface>
using ComInterface = UniqueHandle<ComInterfaceTraits<Interface>>;

struct TaskMemoryTraits {
  using Type = LPWSTR;
  static Type Invalid() { return nullptr; }
  static void Close(Type text) { CoTaskMemFree(text); }
};

// COM for the length of one call; a thread that has it already keeps it.
template <class Result, class Body>
Result WithCom(Body body) {
  const HRESULT initialised = CoInitialize(nullptr);
  Result result = body();
  if (SUCCEEDED(initialised)) CoUninitialize();
  return result;
}

std::string Utf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string result(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), size, nullptr, nullptr);
  result.pop_back();  // the terminating zero
  return result;
}

std::wstring Wide(const std::string& text) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  if (size <= 1) return {};
  std::wstring result(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, result.data(), size);
  result.pop_back();
  return result;
}

ComInterface<IMMDeviceEnumerator> DeviceEnumerator() {
  IMMDeviceEnumerator* enumerator = nullptr;
  if (FAILED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_INPROC_SERVER,
                              __uuidof(IMMDeviceEnumerator), reinterpret_cast<void**>(&enumerator))))
    return {};
  return ComInterface<IMMDeviceEnumerator>(enumerator);
}

ComInterface<IAudioEndpointVolume> EndpointVolume(const std::string& endpointId) {
  const ComInterface<IMMDeviceEnumerator> enumerator = DeviceEnumerator();
  IMMDevice* found = nullptr;
  if (!enumerator || FAILED(enumerator.get()->GetDevice(Wide(endpointId).c_str(), &found))) return {};
  const ComInterface<IMMDevice> device(found);
  IAudioEndpointVolume* volume = nullptr;
  if (FAILED(device.get()->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_INPROC_SERVER, nullptr,
                                    reinterpret_cast<void**>(&volume))))
    return {};
  return ComInterface<IAudioEndpointVolume>(volume);
}

}  // namespace

std::optional<std::string> DefaultRenderEndpointId() {
  return WithCom<std::optional<std::string>>([]() -> std::optional<std::string> {
    const ComInterface<IMMDeviceEnumerator> enumerator = DeviceEnumerator();
    IMMDevice* found = nullptr;
    if (!enumerator || FAILED(enumerator.get()->GetDefaultAudioEndpoint(eRender, eConsole, &found))) return {};
    const ComInterface<IMMDevice> device(found);
    LPWSTR id = nullptr;
    if (FAILED(device.get()->GetId(&id))) return {};
    const UniqueHandle<TaskMemoryTraits> owned(id);
    std::string text = Utf8(id);
    if (text.empty()) return {};
    return text;
  });
}

std::optional<bool> GetEndpointMuteOf(const std::string& endpointId) {
  return WithCom<std::optional<bool>>([&endpointId]() -> std::optional<bool> {
    const ComInterface<IAudioEndpointVolume> volume = EndpointVolume(endpointId);
    BOOL muted = FALSE;
    if (!volume || FAILED(volume.get()->GetMute(&muted))) return {};
    return muted != FALSE;
  });
}

bool SetEndpointMuteOf(const std::string& endpointId, bool muted) {
  return WithCom<bool>([&] {
    const ComInterface<IAudioEndpointVolume> volume = EndpointVolume(endpointId);
    return volume && SUCCEEDED(volume.get()->SetMute(muted ? TRUE : FALSE, nullptr));
  });
}

}  // namespace vnx
