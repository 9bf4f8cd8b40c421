#include "tests/fake/FakeModelessDialogs.h"

// One open window; its controls are the dialog's, shared with the record the
// service keeps.
class FakeModelessWindow : public ModelessDialog {
public:
    FakeModelessWindow(FakeModelessDialogs& service, std::size_t index)
        : m_service(service), m_index(index) {}
    ~FakeModelessWindow() override {
        m_service.m_log.Record("DestroyModeless " + std::to_string(Record().templateId));
        Record().open = false;
    }

    bool IsChecked(int id) const override { return Controls().IsChecked(id); }
    void SetChecked(int id, bool checked) override { Controls().SetChecked(id, checked); }
    std::string GetText(int id) const override { return Controls().GetText(id); }
    void SetText(int id, const std::string& text) override { Controls().SetText(id, text); }
    void Show(int id, bool visible) override { Controls().Show(id, visible); }
    void Enable(int id, bool enabled) override { Controls().Enable(id, enabled); }
    void SetTitleFont(int id) override { Controls().SetTitleFont(id); }
    void EndDialog(int) override {}
    void Redraw() override {
        m_service.m_log.Record("Redraw " + std::to_string(Record().templateId));
        Record().redrawn.push_back(Controls().Controls());
    }

private:
    FakeModelessDialogs::Window& Record() const { return m_service.windows[m_index]; }
    FakeDialog& Controls() const { return *Record().controls; }

    FakeModelessDialogs& m_service;
    std::size_t m_index;
};

std::unique_ptr<ModelessDialog> FakeModelessDialogs::Create(unsigned templateId,
                                                            DialogHandler& handler) {
    m_log.Record("CreateModeless " + std::to_string(templateId));
    if (!createSucceeds)
        return nullptr;
    auto controls = std::make_shared<FakeDialog>(templateId, handler, m_noRadioGroups);
    for (int id : disabledAtCreation[templateId])
        controls->Enable(id, false);
    windows.push_back({templateId, true, controls, {}});
    auto window = std::make_unique<FakeModelessWindow>(*this, windows.size() - 1);
    handler.OnInitDialog(*window);
    return window;
}
