// SensorConnection is header-only.
