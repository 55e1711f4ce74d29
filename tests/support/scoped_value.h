// Sets a global for the rest of a scope and puts the old value back however
// the scope ends, so that a failed assertion does not hand the changed setting
// to the tests after it.
#pragma once

template <typename T> class ScopedValue {
public:
  ScopedValue(T &variable, T value) : variable_(variable), saved_(variable) { variable_ = value; }
  ~ScopedValue() { variable_ = saved_; }
  ScopedValue(const ScopedValue &) = delete;
  ScopedValue &operator=(const ScopedValue &) = delete;

private:
  T &variable_;
  T saved_;
};
