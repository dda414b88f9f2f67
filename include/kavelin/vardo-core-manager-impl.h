#pragma once

class PObject;

// What the task store's front hands its requests to: one request map in,
// one response map out.
class VardoCoreManagerImpl {
public:
    virtual ~VardoCoreManagerImpl() {}
    virtual void request(const PObject& request, PObject& response) = 0;
};
