#pragma once
#include <windows.h>
#include <objbase.h>

#include <functional>
#include <mutex>

#include "platform/com/ComError.h"
#include "platform/com/ComObject.h"
#include "platform/com/ComPtr.h"

namespace platform {

// Makes one new object of a class, with one reference held by the answer.
using ObjectCreator = std::function<ComPtr<IUnknown>()>;

// The creator of ComObject<T> made from T's default constructor.
template <class T>
ObjectCreator CreatorOf() {
  return [] { return ComPtr<IUnknown>(MakeComObject<T>().template As<IUnknown>()); };
}

// A class object that makes a new object for each CreateInstance. Whether
// it serves one creation or many is decided where it is registered
// (ClassObjectRegistration, REGCLS_SINGLEUSE or REGCLS_MULTIPLEUSE).
class ClassFactory : public IClassFactory {
 public:
  explicit ClassFactory(ObjectCreator creator) : creator_(std::move(creator)) {}
  virtual ~ClassFactory() = default;

  static std::span<const InterfaceEntry> Interfaces() {
    static const InterfaceEntry table[] = {InterfaceOf<ClassFactory, IClassFactory>()};
    return table;
  }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return ComBoundary([&] {
      ComPtr<IUnknown> object = Create();
      if (!object) return E_UNEXPECTED;
      return object->QueryInterface(iid, out);
    });
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock)
      ModuleLock::Lock();
    else
      ModuleLock::Unlock();
    return S_OK;
  }

 protected:
  // The object a CreateInstance hands out.
  virtual ComPtr<IUnknown> Create() { return creator_(); }
  ComPtr<IUnknown> MakeNew() { return creator_(); }

 private:
  ObjectCreator creator_;
};

// A class object that makes its object at the first CreateInstance and
// hands the same one to every later call. It keeps the object until the
// class object goes; the object should not count that reference in the
// module's lock count (ModuleLockPolicy::BeyondFirstReference), so that a
// local server still ends when its clients let go.
class SingletonClassFactory : public ClassFactory {
 public:
  using ClassFactory::ClassFactory;

 protected:
  ComPtr<IUnknown> Create() override {
    // Recursive: a constructor that pumps messages may let a second
    // creation request in on the same thread.
    std::lock_guard<std::recursive_mutex> guard(mutex_);
    if (!object_) {
      ComPtr<IUnknown> made = MakeNew();
      if (!object_) object_ = std::move(made);  // else the re-entrant call's object stays the one
    }
    return object_.Copy();
  }

 private:
  std::recursive_mutex mutex_;
  ComPtr<IUnknown> object_;
};

// A class object for class T: a new object for each creation.
template <class T>
ComPtr<IClassFactory> MakeClassFactory() {
  return ComPtr<IClassFactory>(MakeComObject<ClassFactory, ModuleLockPolicy::None>(CreatorOf<T>()));
}

// The singleton class object for class T: one object for all creations.
template <class T>
ComPtr<IClassFactory> MakeSingletonClassFactory() {
  return ComPtr<IClassFactory>(MakeComObject<SingletonClassFactory, ModuleLockPolicy::None>(
      ObjectCreator([] {
        return ComPtr<IUnknown>(
            MakeComObject<T, ModuleLockPolicy::BeyondFirstReference>().template As<IUnknown>());
      })));
}

}  // namespace platform
