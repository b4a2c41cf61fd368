#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/TObject.h"
#include "core/f_DataVO.h"
#include "core/variant.h"

namespace netprobe {

namespace xml {
class Node;
}

// One server of a channel.
struct TCommuniServer {
    std::string ServerIP;
    std::int32_t Port = 0;
    std::string ServerAction;
};

// The channel's server list, in the order in which the servers were added. Owns the records.
class TArrayCommuniSever {
public:
    std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }
    // Raises EListError for an index outside 0 .. Count() - 1.
    TCommuniServer* Get(std::int32_t index) const;
    void Add(std::unique_ptr<TCommuniServer> server) { items_.push_back(std::move(server)); }
    void Clear() { items_.clear(); }

private:
    std::vector<std::unique_ptr<TCommuniServer>> items_;
};

// One communication channel: a group of equivalent servers and the settings for talking to
// them. Other parts see a channel through this abstract type.
class TCommuniConfig : public TObject {
public:
    virtual std::string GetName() const = 0;
    virtual void SetName(const std::string& value) = 0;
    virtual std::string GetDescribe() const = 0;
    virtual void SetDescribe(const std::string& value) = 0;
    virtual std::int32_t GetServerType() const = 0;
    virtual void SetServerType(std::int32_t value) = 0;
    virtual std::int32_t GetTimeout() const = 0;
    virtual void SetTimeout(std::int32_t value) = 0;
    virtual std::int32_t GetCommunType() const = 0;
    virtual void SetCommunType(std::int32_t value) = 0;
    virtual std::int32_t GetCompressType() const = 0;
    virtual void SetCompressType(std::int32_t value) = 0;
    virtual std::string GetCompressComponent() const = 0;
    virtual void SetCompressComponent(const std::string& value) = 0;
    virtual std::int32_t GetCryptType() const = 0;
    virtual void SetCryptType(std::int32_t value) = 0;
    virtual std::string GetCryptComponent() const = 0;
    virtual void SetCryptComponent(const std::string& value) = 0;
    virtual std::int32_t GetSSLEnable() const = 0;
    virtual void SetSSLEnable(std::int32_t value) = 0;
    virtual std::string GetSSLMethod() const = 0;
    virtual void SetSSLMethod(const std::string& value) = 0;
    virtual std::int32_t GetSSLVerifyPeer() const = 0;
    virtual void SetSSLVerifyPeer(std::int32_t value) = 0;
    virtual std::int32_t GetSSLFailIfNoPeerCert() const = 0;
    virtual void SetSSLFailIfNoPeerCert(std::int32_t value) = 0;
    virtual std::int32_t GetSSLVerifyClientOnce() const = 0;
    virtual void SetSSLVerifyClientOnce(std::int32_t value) = 0;
    virtual std::int32_t GetSSLCertDepth() const = 0;
    virtual void SetSSLCertDepth(std::int32_t value) = 0;
    virtual std::int32_t GetServerCount() const = 0;
    // Raises EListError for an index outside 0 .. GetServerCount() - 1.
    virtual TCommuniServer* GetServer(std::int32_t index) const = 0;
    // The channel takes ownership of the record.
    virtual void AddServer(TCommuniServer* server) = 0;
    virtual Variant GetValue(const std::string& name) const = 0;
    virtual void SetValue(const std::string& name, const Variant& value) = 0;

protected:
    std::string Name;
    std::string Describe;
    std::int32_t ServerType = 0;
    std::int32_t Timeout = 0;
    std::int32_t CommunType = 0;
    std::int32_t CompressType = 0;
    std::string CompressComponent;
    std::int32_t CryptType = 0;
    std::string CryptComponent;
    std::int32_t SSLEnable = 0;
    std::string SSLMethod;
    std::int32_t SSLVerifyPeer = 0;
    std::int32_t SSLFailIfNoPeerCert = 0;
    std::int32_t SSLVerifyClientOnce = 0;
    std::int32_t SSLCertDepth = 0;
    TArrayCommuniSever Servers;
    std::unique_ptr<TDataVO> Values;
};

class TCommuniConfigImpl : public TCommuniConfig {
public:
    TCommuniConfigImpl();
    ~TCommuniConfigImpl() noexcept(false) override;

    std::string GetName() const override { return Name; }
    void SetName(const std::string& v) override { Name = v; }
    std::string GetDescribe() const override { return Describe; }
    void SetDescribe(const std::string& v) override { Describe = v; }
    std::int32_t GetServerType() const override { return ServerType; }
    void SetServerType(std::int32_t v) override { ServerType = v; }
    std::int32_t GetTimeout() const override { return Timeout; }
    void SetTimeout(std::int32_t v) override { Timeout = v; }
    std::int32_t GetCommunType() const override { return CommunType; }
    void SetCommunType(std::int32_t v) override { CommunType = v; }
    std::int32_t GetCompressType() const override { return CompressType; }
    void SetCompressType(std::int32_t v) override { CompressType = v; }
    std::string GetCompressComponent() const override { return CompressComponent; }
    void SetCompressComponent(const std::string& v) override { CompressComponent = v; }
    std::int32_t GetCryptType() const override { return CryptType; }
    void SetCryptType(std::int32_t v) override { CryptType = v; }
    std::string GetCryptComponent() const override { return CryptComponent; }
    void SetCryptComponent(const std::string& v) override { CryptComponent = v; }
    std::int32_t GetSSLEnable() const override { return SSLEnable; }
    void SetSSLEnable(std::int32_t v) override { SSLEnable = v; }
    std::string GetSSLMethod() const override { return SSLMethod; }
    void SetSSLMethod(const std::string& v) override { SSLMethod = v; }
    std::int32_t GetSSLVerifyPeer() const override { return SSLVerifyPeer; }
    void SetSSLVerifyPeer(std::int32_t v) override { SSLVerifyPeer = v; }
    std::int32_t GetSSLFailIfNoPeerCert() const override { return SSLFailIfNoPeerCert; }
    void SetSSLFailIfNoPeerCert(std::int32_t v) override { SSLFailIfNoPeerCert = v; }
    std::int32_t GetSSLVerifyClientOnce() const override { return SSLVerifyClientOnce; }
    void SetSSLVerifyClientOnce(std::int32_t v) override { SSLVerifyClientOnce = v; }
    std::int32_t GetSSLCertDepth() const override { return SSLCertDepth; }
    void SetSSLCertDepth(std::int32_t v) override { SSLCertDepth = v; }
    std::int32_t GetServerCount() const override { return Servers.Count(); }
    TCommuniServer* GetServer(std::int32_t index) const override { return Servers.Get(index); }
    void AddServer(TCommuniServer* server) override;
    Variant GetValue(const std::string& name) const override { return Values->GetVariant(name); }
    void SetValue(const std::string& name, const Variant& v) override { Values->SetVariant(name, v); }
};

// The name of the communication configuration file in the installation directory.
inline constexpr char kCommunicationConfigFile[] = "MainCommunication.ncc";
// The parameter block key that receives the channel.
inline constexpr char kCommuniConfigKey[] = "communiConfig";

// Reads the communication configuration file into `block` under "communiConfig". Returns
// false with `message` written when the file is missing, can't be parsed or holds a
// malformed channel. An empty or unreadable channel name raises EConvertError.
bool LoadCommunicationConfig(TDataVO& block, std::string& message);

// Reads one channel node into a new channel stored under "communiConfig".
bool ReadCommuniConfig(TDataVO& block, const xml::Node& channel, std::string& message);

}  // namespace netprobe
