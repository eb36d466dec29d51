#include "server/dialogs/models/model_store.h"

#include <gtest/gtest.h>

#include "platform/headless/headless_platform.h"

namespace topaline {
namespace {

class ModelStoreTest : public ::testing::Test {
protected:
  void Put(const std::wstring& name, const std::wstring& text) { registry.setString(ModelStorePath(), name, text); }
  std::wstring Value(const std::wstring& name) const {
    const auto* v = registry.value(ModelStorePath(), name);
    return !v ? L"<missing>" : v->type == RegType::String ? v->text : L"<not a string>";
  }
  HeadlessRegistry registry;
  TDesModeles store;
};

TEST_F(ModelStoreTest, LoadSortsWithoutRegardToCaseAndSkipsValuesThatAreNoString) {
  Put(L"zeta", L"z|");
  Put(L"Alpha", L"a|");
  registry.setDword(ModelStorePath(), L"compteur", 3);
  Put(L"écran", L"e|");
  Put(L"beta", L"b|");
  store.Load(registry);
  EXPECT_EQ(store.Names, (std::vector<std::wstring>{L"Alpha", L"beta", L"zeta", L"écran"}));
  EXPECT_EQ(store.Texts, (std::vector<std::wstring>{L"a|", L"b|", L"z|", L"e|"}));
  EXPECT_EQ(store.IndexOf(L"ALPHA"), 0);
  EXPECT_EQ(store.IndexOf(L"ÉCRAN"), 3);
  EXPECT_EQ(store.IndexOf(L"compteur"), -1);
}

TEST_F(ModelStoreTest, LoadOfAMissingStoreCreatesTheKeyEmpty) {
  store.Add(L"old", L"x|");
  store.Load(registry);
  EXPECT_TRUE(registry.keyExists(ModelStorePath()));
  EXPECT_TRUE(store.Names.empty());
  EXPECT_TRUE(store.Texts.empty());
}

TEST_F(ModelStoreTest, OperationsKeepBothListsInStep) {
  store.Add(L"b", L"1|");
  store.Add(L"a", L"2|");  // appended, not sorted
  store.Add(L"c", L"3|");
  store.Rename(0, L"bb");
  store.Put(2, L"33|");
  store.Delete(1);
  EXPECT_EQ(store.Names, (std::vector<std::wstring>{L"bb", L"c"}));
  EXPECT_EQ(store.Texts, (std::vector<std::wstring>{L"1|", L"33|"}));
  for (int bad : {-1, 2}) {
    EXPECT_THROW(store.Delete(bad), Error);
    EXPECT_THROW(store.Put(bad, L""), Error);
    EXPECT_THROW(store.Rename(bad, L""), Error);
  }
}

TEST_F(ModelStoreTest, SaveWritesEveryModelAndDeletesOnlyModelsThatAreGone) {
  Put(L"keep", L"k|");
  Put(L"gone", L"g|");
  Put(L"old name", L"o|");
  registry.setDword(ModelStorePath(), L"compteur", 3);
  store.Load(registry);
  store.Delete(store.IndexOf(L"gone"));
  store.Rename(store.IndexOf(L"old name"), L"new name");
  store.Put(store.IndexOf(L"keep"), L"k2|");
  store.Add(L"added", L"a|");
  store.Save(registry);
  EXPECT_EQ(Value(L"keep"), L"k2|");
  EXPECT_EQ(Value(L"new name"), L"o|");
  EXPECT_EQ(Value(L"added"), L"a|");
  EXPECT_EQ(Value(L"gone"), L"<missing>");
  EXPECT_EQ(Value(L"old name"), L"<missing>");
  EXPECT_EQ(Value(L"compteur"), L"<not a string>") << "a value that is no model is left alone";
  // What the second Save deletes is what the first one left.
  store.Delete(store.IndexOf(L"added"));
  store.Save(registry);
  EXPECT_EQ(Value(L"added"), L"<missing>");
  EXPECT_EQ(Value(L"keep"), L"k2|");
}

// A name the registry holds as the same value, in another case and beyond
// Latin-1, is the same model: deleting a model and adding it again under
// another case, then saving, keeps one model under the stored name.
TEST_F(ModelStoreTest, ANameInAnotherCaseIsTheSameModel) {
  for (const auto& [stored, other] : std::vector<std::pair<std::wstring, std::wstring>>{
           {L"Œuvre", L"œuvre"}, {L"Ÿacht", L"ÿacht"}, {L"Ωmega", L"ωmega"}, {L"Яблоко", L"яблоко"}}) {
    HeadlessRegistry fresh;
    fresh.setString(ModelStorePath(), stored, L"old|");
    TDesModeles s;
    s.Load(fresh);
    EXPECT_EQ(s.IndexOf(other), 0);
    s.Delete(0);
    s.Add(other, L"new|");
    s.Save(fresh);
    s.Load(fresh);
    EXPECT_EQ(s.Names, std::vector<std::wstring>{stored}) << "the model is kept under its stored name";
    EXPECT_EQ(s.Texts, std::vector<std::wstring>{L"new|"});
  }
}

// A registry that refuses the n-th write, as a full or locked hive would.
class FailingKey final : public RegistryKey {
public:
  FailingKey(std::unique_ptr<RegistryKey> inner, int& writesLeft) : inner_(std::move(inner)), writesLeft_(writesLeft) {}
  std::vector<std::wstring> valueNames() const override { return inner_->valueNames(); }
  RegType valueType(const std::wstring& n) const override { return inner_->valueType(n); }
  std::wstring readString(const std::wstring& n) const override { return inner_->readString(n); }
  std::uint32_t readDword(const std::wstring& n) const override { return inner_->readDword(n); }
  std::vector<std::uint8_t> readBinary(const std::wstring& n) const override { return inner_->readBinary(n); }
  void writeString(const std::wstring& n, const std::wstring& v) override {
    if (writesLeft_-- <= 0) throw Error(L"refused");
    inner_->writeString(n, v);
  }
  void writeDword(const std::wstring& n, std::uint32_t v) override { inner_->writeDword(n, v); }
  void writeBinary(const std::wstring& n, const std::vector<std::uint8_t>& v) override { inner_->writeBinary(n, v); }
  void deleteValue(const std::wstring& n) override { inner_->deleteValue(n); }

private:
  std::unique_ptr<RegistryKey> inner_;
  int& writesLeft_;
};

class FailingRegistry final : public Registry {
public:
  explicit FailingRegistry(Registry& inner) : inner_(inner) {}
  std::unique_ptr<RegistryKey> open(const std::wstring& path, bool create) override {
    return std::make_unique<FailingKey>(inner_.open(path, create), writesLeft);
  }
  int writesLeft = 1000;

private:
  Registry& inner_;
};

TEST_F(ModelStoreTest, ASaveThatFailsHalfWayLosesNoModel) {
  Put(L"a", L"a|");
  Put(L"b", L"b|");
  store.Load(registry);
  store.Rename(0, L"a2");
  store.Rename(1, L"b2");
  FailingRegistry failing(registry);
  failing.writesLeft = 1;
  EXPECT_THROW(store.Save(failing), Error);
  EXPECT_EQ(Value(L"a2"), L"a|");
  EXPECT_EQ(Value(L"a"), L"a|") << "nothing is deleted before every model is written";
  EXPECT_EQ(Value(L"b"), L"b|");
}

}  // namespace
}  // namespace topaline
